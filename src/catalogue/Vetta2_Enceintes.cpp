#include "catalogue/Vetta2_Enceintes.h"

#include "catalogue/ModelLookup.h"

namespace velmora {
namespace {

// The message carries the channel (00 or 02) and the cab number, which is the record number
// less one, split into its high and low four bits.
constexpr std::array<ModelRecord, kCabRecordCount> kCab1 = {{
    {"Bypass (no cab)", "No cab model", "F0 00 01 0C 03 07 0D 00 00 00 00 00 00 F7"},
    {"1x6 Super O", "1x6x9 Supro S6616 ('60)", "F0 00 01 0C 03 07 0D 00 00 00 00 00 01 F7"},
    {"1x8 Tweed", "1x8 Fender Tweed Champ (1961)", "F0 00 01 0C 03 07 0D 00 00 00 00 00 02 F7"},
    {"1x10", "1x10 Gibson Explorer GA-18 (1960)", "F0 00 01 0C 03 07 0D 00 00 00 00 00 03 F7"},
    {"1x10 G-Brand", "1x10 Gretsch 6156 (1960)", "F0 00 01 0C 03 07 0D 00 00 00 00 00 04 F7"},
    {"1x12 Tweed", "1x12 Fender Tweed Deluxe (1953)", "F0 00 01 0C 03 07 0D 00 00 00 00 00 05 F7"},
    {"1x12 Blackface", "1x12 Fender Deluxe (1964)", "F0 00 01 0C 03 07 0D 00 00 00 00 00 06 F7"},
    {"1x12 Line 6", "1x12 enceinte Line 6", "F0 00 01 0C 03 07 0D 00 00 00 00 00 07 F7"},
    {"1x12 California", "1x12 Mesa Boogie Mark II C+ (1985)",
     "F0 00 01 0C 03 07 0D 00 00 00 00 00 08 F7"},
    {"1x12 Class A", "1x12 Vox AC-15 (1961)", "F0 00 01 0C 03 07 0D 00 00 00 00 00 09 F7"},
    {"1x15 Thunder", "1x15 Supro Thunderbolt (1952)", "F0 00 01 0C 03 07 0D 00 00 00 00 00 0A F7"},
    {"2x2 Mini T", "2x2 Fender Mini Twin (1996)", "F0 00 01 0C 03 07 0D 00 00 00 00 00 0B F7"},
    {"2x12 Zen Master", "2x12 Budda Twinmaster (2001)",
     "F0 00 01 0C 03 07 0D 00 00 00 00 00 0C F7"},
    {"2x12 Blackface", "2x12 Fender Twin Reverb (1965)",
     "F0 00 01 0C 03 07 0D 00 00 00 00 00 0D F7"},
    {"2x12 Line6", "2x12 enceinte Line 6", "F0 00 01 0C 03 07 0D 00 00 00 00 00 0E F7"},
    {"2x12 Match", "2x12 Matchless Chieftain (1996)", "F0 00 01 0C 03 07 0D 00 00 00 00 00 0F F7"},
    {"2x12 Jazz", "2x12 Roland Jazz Chorus (1987)", "F0 00 01 0C 03 07 0D 00 00 00 00 01 00 F7"},
    {"2x12 Wishbook", "2x12 Silverstone Twin Twelve (1967)",
     "F0 00 01 0C 03 07 0D 00 00 00 00 01 01 F7"},
    {"2x12 Class A", "2x12 Vox AC-30 Top Boost (1967)",
     "F0 00 01 0C 03 07 0D 00 00 00 00 01 02 F7"},
    {"4x10 Tweed", "4x10 Fender Bassman (1958)", "F0 00 01 0C 03 07 0D 00 00 00 00 01 03 F7"},
    {"4x12 Hiway", "4x12 Hiwatt Custom 100 (1973)", "F0 00 01 0C 03 07 0D 00 00 00 00 01 04 F7"},
    {"4x12 Line6", "4x12 enceinte Line 6", "F0 00 01 0C 03 07 0D 00 00 00 00 01 05 F7"},
    {"4x12 Green 20's", "4x12 Marshall Celestion Greenback (1967)",
     "F0 00 01 0C 03 07 0D 00 00 00 00 01 06 F7"},
    {"4x12 Green 25's", "4x12 Marshall Celestion Greenback (1968)",
     "F0 00 01 0C 03 07 0D 00 00 00 00 01 07 F7"},
    {"4x12 Brit T75", "4x12 Marshall Celestion G12-T75",
     "F0 00 01 0C 03 07 0D 00 00 00 00 01 08 F7"},
    {"4x12 Brit V30's", "4x12 Marshall Celestion Vintage (2001)",
     "F0 00 01 0C 03 07 0D 00 00 00 00 01 09 F7"},
    {"4x12 Treadplate", "4x12 Mesa Boogie Dual Rectifier (2001)",
     "F0 00 01 0C 03 07 0D 00 00 00 00 01 0A F7"},
    {"4x12 HiGn SOLO", "4x12 Soldano (1993)", "F0 00 01 0C 03 07 0D 00 00 00 00 01 0B F7"},
}};

constexpr std::array<ModelRecord, kCabRecordCount> kCab2 = {{
    {"Bypass (no cab)", "No cab model", "F0 00 01 0C 03 07 0D 00 02 00 00 00 00 F7"},
    {"1x6 Super O", "1x6x9 Supro S6616 années ('60)", "F0 00 01 0C 03 07 0D 00 02 00 00 00 01 F7"},
    {"1x8 Tweed", "1x8 Fender Tweed Champ (1961)", "F0 00 01 0C 03 07 0D 00 02 00 00 00 02 F7"},
    {"1x10", "1x10 Gibson Explorer GA-18 (1960)", "F0 00 01 0C 03 07 0D 00 02 00 00 00 03 F7"},
    {"1x10 G-Brand", "1x10 Gretsch 6156 (1960)", "F0 00 01 0C 03 07 0D 00 02 00 00 00 04 F7"},
    {"1x12 Tweed", "1x12 Fender Tweed Deluxe (1953)", "F0 00 01 0C 03 07 0D 00 02 00 00 00 05 F7"},
    {"1x12 Blackface", "1x12 Fender Deluxe (1964)", "F0 00 01 0C 03 07 0D 00 02 00 00 00 06 F7"},
    {"1x12 Line 6", "1x12 enceinte Line 6", "F0 00 01 0C 03 07 0D 00 02 00 00 00 07 F7"},
    {"1x12 California", "1x12 Mesa Boogie Mark II C+ (1985)",
     "F0 00 01 0C 03 07 0D 00 02 00 00 00 08 F7"},
    {"1x12 Class A", "1x12 Vox AC-15 (1961)", "F0 00 01 0C 03 07 0D 00 02 00 00 00 09 F7"},
    {"1x15 Thunder", "1x15 Supro Thunderbolt (1952)", "F0 00 01 0C 03 07 0D 00 02 00 00 00 0A F7"},
    {"2x2 Mini T", "2x2 Fender Mini Twin (1996)", "F0 00 01 0C 03 07 0D 00 02 00 00 00 0B F7"},
    {"2x12 Zen Master", "2x12 Budda Twinmaster (2001)",
     "F0 00 01 0C 03 07 0D 00 02 00 00 00 0C F7"},
    {"2x12 Blackface", "2x12 Fender Twin Reverb (1965)",
     "F0 00 01 0C 03 07 0D 00 02 00 00 00 0D F7"},
    {"2x12 Line6", "2x12 enceinte Line 6", "F0 00 01 0C 03 07 0D 00 02 00 00 00 0E F7"},
    {"2x12 Match", "2x12 Matchless Chieftain (1996)", "F0 00 01 0C 03 07 0D 00 02 00 00 00 0F F7"},
    {"2x12 Jazz", "2x12 Roland Jazz Chorus (1987)", "F0 00 01 0C 03 07 0D 00 02 00 00 01 00 F7"},
    {"2x12 Wishbook", "2x12 Silverstone Twin Twelve (1967)",
     "F0 00 01 0C 03 07 0D 00 02 00 00 01 01 F7"},
    {"2x12 Class A", "2x12 Vox AC-30 Top Boost (1967)",
     "F0 00 01 0C 03 07 0D 00 02 00 00 01 02 F7"},
    {"4x10 Tweed", "4x10 Fender Bassman (1958)", "F0 00 01 0C 03 07 0D 00 02 00 00 01 03 F7"},
    {"4x12 Hiway", "4x12 Hiwatt Custom 100 (1973)", "F0 00 01 0C 03 07 0D 00 02 00 00 01 04 F7"},
    {"4x12 Line6", "4x12 enceinte Line 6", "F0 00 01 0C 03 07 0D 00 02 00 00 01 05 F7"},
    {"4x12 Green 20's", "4x12 Marshall Celestion Greenback (1967)",
     "F0 00 01 0C 03 07 0D 00 02 00 00 01 06 F7"},
    {"4x12 Green 25's", "4x12 Marshall Celestion Greenback (1968)",
     "F0 00 01 0C 03 07 0D 00 02 00 00 01 07 F7"},
    {"4x12 Brit T75", "4x12 Marshall Celestion G12-T75",
     "F0 00 01 0C 03 07 0D 00 02 00 00 01 08 F7"},
    {"4x12 Brit V30's", "4x12 Marshall Celestion Vintage (2001)",
     "F0 00 01 0C 03 07 0D 00 02 00 00 01 09 F7"},
    {"4x12 Treadplate", "4x12 Mesa Boogie Dual Rectifier (2001)",
     "F0 00 01 0C 03 07 0D 00 02 00 00 01 0A F7"},
    {"4x12 HiGn SOLO", "4x12 Soldano (1993)", "F0 00 01 0C 03 07 0D 00 02 00 00 01 0B F7"},
}};

}  // namespace

const std::array<ModelRecord, kCabRecordCount>& CabCatalogue(Channel channel) {
  return channel == Channel::Amp1 ? kCab1 : kCab2;
}

const ModelRecord& CabRecord(Channel channel, int recordNumber) {
  return ModelRecordAt(CabCatalogue(channel), recordNumber, "Cab");
}

std::optional<int> FindCabRecord(Channel channel, std::string_view displayName) {
  return FindModelRecord(CabCatalogue(channel), displayName);
}

}  // namespace velmora

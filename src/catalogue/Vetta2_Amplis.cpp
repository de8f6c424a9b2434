#include "catalogue/Vetta2_Amplis.h"

#include "catalogue/ModelLookup.h"

namespace velmora {
namespace {

// Both channels list the same models with the same value; only the controller differs, plus
// the screen texts of records 44 and 45, which the amplifier's own displays spell differently.
constexpr std::array<ModelRecord, kAmpRecordCount> kAmp1 = {{
    {"Bypass (no amp)", "No amp model", "B0 0C 31"},
    {"Line6 Tube Preamp", "Line6 Tube Preamp", "B0 0C 2D"},
    {"Line6 Variax Acous", "Line6 Variax Acous", "B0 0C 32"},
    {"Line6 Piezacoustic1", "Line6 Piezacoustic1", "B0 0C 0D"},
    {"Line6 Piezacoustic2", "Line6 Piezacoustic2", "B0 0C 0E"},
    {"Line6 Clean", "Line6 Clean", "B0 0C 00"},
    {"Line6 Super Clean", "Line6 Super Clean", "B0 0C 33"},
    {"Line6 Sparkle", "Line6 Sparkle", "B0 0C 01"},
    {"Line6 Super Sparkl", "Line6 Super Sparkl", "B0 0C 34"},
    {"Line6 Sparkle Clean", "Line6 Sparkle Clean", "B0 0C 35"},
    {"Line6 Twang", "Line6 Twang", "B0 0C 02"},
    {"Line6 Bayou", "Line6 Bayou", "B0 0C 03"},
    {"Line6 Class A", "Line6 Class A", "B0 0C 05"},
    {"Line6 JTS-45", "Line6 JTS-45", "B0 0C 04"},
    {"Line6 Mood", "Line6 Mood", "B0 0C 06"},
    {"Line6 Purge", "Line6 Purge", "B0 0C 0A"},
    {"Line6 Crunch", "Line6 Crunch", "B0 0C 36"},
    {"Line6 Throttle", "Line6 Throttle", "B0 0C 08"},
    {"Line6 Chemical X", "Line6 Chemical X", "B0 0C 09"},
    {"Line6 Smash", "Line6 Smash", "B0 0C 37"},
    {"Line6 Spinal Puppet", "Line6 Spinal Puppet", "B0 0C 07"},
    {"Line6 Fuzz", "Line6 Fuzz", "B0 0C 38"},
    {"Line6 Chnk Chnk", "Line6 Chnk Chnk", "B0 0C 39"},
    {"Line6 Big Bottom", "Line6 Big Bottom", "B0 0C 3A"},
    {"Line6 Treadplate", "Line6 Treadplate", "B0 0C 3B"},
    {"Line6 Lunatic", "Line6 Lunatic", "B0 0C 3C"},
    {"Line6 Agro", "Line6 Agro", "B0 0C 3D"},
    {"Line6 Insane", "Line6 Insane", "B0 0C 0B"},
    {"Line6 Octone", "Line6 Octone", "B0 0C 0C"},
    {"'02 Bomber X-TC", "Bogner Ecstasy (2002)", "B0 0C 2F"},
    {"'02 Bomber Uber", "Bogner Ubershall (2002)", "B0 0C 2E"},
    {"'O1 Zen Master", "Budda Twinmaster (2001)", "B0 0C 0F"},
    {"'03 Connor 50", "Comford mk50h (2003)", "B0 0C 3E"},
    {"'03 Deity Crunch", "Diezel VH-4 Crunch (2003)", "B0 0C 3F"},
    {"'03 Deity Lead", "Diezel VH-4 Lead (2003)", "B0 0C 40"},
    {"'03 Deity's Son", "Diezel Herbert (2003)", "B0 0C 41"},
    {"'02 ANGEL P-Ball", "ENGL Powerball (2002)", "B0 0C 30"},
    {"'53 Fn Tweed Small Tweed", "Fender Tweed Deluxe (1953)", "B0 0C 10"},
    {"'58 Fn Tweed B-Man", "Fender Bassman (1958)", "B0 0C 11"},
    {"'61 Fn Tweed Tiny Tweed", "Fender Tweed Champ (1961)", "B0 0C 12"},
    {"'63 Fn Black Vib Verb", "Fender Vibroverb (1963)", "B0 0C 42"},
    {"'64 Fn Black Lux", "Fender Deluxe (1964)", "B0 0C 13"},
    {"'65 Fn Black Double", "Fender Twin Verb (1965)", "B0 0C 14"},
    {"'67 Fn Black Dual Show", "TFender Dual Showman head (1967)", "B0 0C 43"},
    {"'72 Fn Silver Bass Head", "Fender Bassman head(1972)", "B0 0C 44"},
    {"'96 Fn Mini Double", "Fender Mini Twin (1996)", "B0 0C 15"},
    {"'60 Gibtone Explorer", "Gibson Explorer GA-18 (1960)", "B0 0C 16"},
    {"'60 G-Brand Two-Tone", "Gretsch 6156 (1960)", "B0 0C 17"},
    {"'73 Highway 100 Custom", "Hiwatt Custom 100 (1973)", "B0 0C 18"},
    {"'65 Brit Plexi J-45", "Marshall JTM-45 (1965)", "B0 0C 19"},
    {"'68 Brit Plexi Lead 100", "Marshall Super Lead (1968)", "B0 0C 1A"},
    {"'68 Brit Plexi Bass 100", "Marshall Super Bass (1968)", "B0 0C 1B"},
    {"'68 Brit Plexi Jump Lead", "Marshall Super Lead jumpered (1968)", "B0 0C 1C"},
    {"'68 Brit Plexi Variac", "Marshall Variac Plexi (1968)", "B0 0C 1D"},
    {"'69 Brit Plexi Lead 200", "Marshall Major (1969)", "B0 0C 1E"},
    {"'87 Brit Gain J-800", "Marshall JCM-800 (1987)", "B0 0C 1F"},
    {"'87 Brit Gain Silver J", "Marshall Silver Jubilee (1987)", "B0 0C 45"},
    {"'96 Brit Gain JM Pre", "Marshall JMP-1 (1996)", "B0 0C 20"},
    {"'92 Brit Gain J-900 Clean", "Marshall JCM-900 clean (1992)", "B0 0C 46"},
    {"'92 Brit Gain J-900 Dist", "Marshall JCM-900 dist (1992)", "B0 0C 47"},
    {"'03 Brit Gain J-2000", "Marshall JCM-2000 (2003)", "B0 0C 48"},
    {"'96 Match Chief", "Matchless Chieftain (1996)", "B0 0C 21"},
    {"'93 Match D-30", "Matchless DC-30 (1993)", "B0 0C 22"},
    {"'85 California Crunch", "Mesa Boogie Mark II C+ (1985)", "B0 0C 25"},
    {"'01 California Treadplate", "Mesa Boogie Dual Rectifier (2001)", "B0 0C 23"},
    {"'01 California DiamondPlate", "Mesa Boogie Triple Rectifier (2001)", "B0 0C 24"},
    {"'02 Missippi Criminal", "Peavey 5150 II (2002)", "B0 0C 49"},
    {"'87 Jazz Clean 120", "Roland Jazz Chorus (1987)", "B0 0C 26"},
    {"'67 Wishbook Silver 12", "Silvertone Twin Twelve (1967)", "B0 0C 27"},
    {"'93 Hi Gain Solo 100", "Soldano SLO (1993)", "B0 0C 28"},
    {"'63 Super O Pawnshop", "Supro S6616 ('60)", "B0 0C 29"},
    {"'62 Super O Thunder", "Supro Thunderbolt (1962)", "B0 0C 2A"},
    {"'61 Class A C-15", "Vox AC-15 (1961)", "B0 0C 2B"},
    {"'67 Class A C-30 TB", "Vox AC-30 Top Bost (1967)", "B0 0C 2C"},
}};

constexpr std::array<ModelRecord, kAmpRecordCount> kAmp2 = {{
    {"Bypass (no amp)", "No amp model", "B0 5B 31"},
    {"Line6 Tube Preamp", "Line6 Tube Preamp", "B0 5B 2D"},
    {"Line6 Variax Acous", "Line6 Variax Acous", "B0 5B 32"},
    {"Line6 Piezacoustic1", "Line6 Piezacoustic1", "B0 5B 0D"},
    {"Line6 Piezacoustic2", "Line6 Piezacoustic2", "B0 5B 0E"},
    {"Line6 Clean", "Line6 Clean", "B0 5B 00"},
    {"Line6 Super Clean", "Line6 Super Clean", "B0 5B 33"},
    {"Line6 Sparkle", "Line6 Sparkle", "B0 5B 01"},
    {"Line6 Super Sparkl", "Line6 Super Sparkl", "B0 5B 34"},
    {"Line6 Sparkle Clean", "Line6 Sparkle Clean", "B0 5B 35"},
    {"Line6 Twang", "Line6 Twang", "B0 5B 02"},
    {"Line6 Bayou", "Line6 Bayou", "B0 5B 03"},
    {"Line6 Class A", "Line6 Class A", "B0 5B 05"},
    {"Line6 JTS-45", "Line6 JTS-45", "B0 5B 04"},
    {"Line6 Mood", "Line6 Mood", "B0 5B 06"},
    {"Line6 Purge", "Line6 Purge", "B0 5B 0A"},
    {"Line6 Crunch", "Line6 Crunch", "B0 5B 36"},
    {"Line6 Throttle", "Line6 Throttle", "B0 5B 08"},
    {"Line6 Chemical X", "Line6 Chemical X", "B0 5B 09"},
    {"Line6 Smash", "Line6 Smash", "B0 5B 37"},
    {"Line6 Spinal Puppet", "Line6 Spinal Puppet", "B0 5B 07"},
    {"Line6 Fuzz", "Line6 Fuzz", "B0 5B 38"},
    {"Line6 Chnk Chnk", "Line6 Chnk Chnk", "B0 5B 39"},
    {"Line6 Big Bottom", "Line6 Big Bottom", "B0 5B 3A"},
    {"Line6 Treadplate", "Line6 Treadplate", "B0 5B 3B"},
    {"Line6 Lunatic", "Line6 Lunatic", "B0 5B 3C"},
    {"Line6 Agro", "Line6 Agro", "B0 5B 3D"},
    {"Line6 Insane", "Line6 Insane", "B0 5B 0B"},
    {"Line6 Octone", "Line6 Octone", "B0 5B 0C"},
    {"'02 Bomber X-TC", "Bogner Ecstasy (2002)", "B0 5B 2F"},
    {"'02 Bomber Uber", "Bogner Ubershall (2002)", "B0 5B 2E"},
    {"'O1 Zen Master", "Budda Twinmaster (2001)", "B0 5B 0F"},
    {"'03 Connor 50", "Comford mk50h (2003)", "B0 5B 3E"},
    {"'03 Deity Crunch", "Diezel VH-4 Crunch (2003)", "B0 5B 3F"},
    {"'03 Deity Lead", "Diezel VH-4 Lead (2003)", "B0 5B 40"},
    {"'03 Deity's Son", "Diezel Herbert (2003)", "B0 5B 41"},
    {"'02 ANGEL P-Ball", "ENGL Powerball (2002)", "B0 5B 30"},
    {"'53 Fn Tweed Small Tweed", "Fender Tweed Deluxe (1953)", "B0 5B 10"},
    {"'58 Fn Tweed B-Man", "Fender Bassman (1958)", "B0 5B 11"},
    {"'61 Fn Tweed Tiny Tweed", "Fender Tweed Champ (1961)", "B0 5B 12"},
    {"'63 Fn Black Vib Verb", "Fender Vibroverb (1963)", "B0 5B 42"},
    {"'64 Fn Black Lux", "Fender Deluxe (1964)", "B0 5B 13"},
    {"'65 Fn Black Double", "Fender Twin Verb (1965)", "B0 5B 14"},
    {"'67 Fn Black Dual Show", "Fender Dual Showman head (1967)", "B0 5B 43"},
    {"'72 Fn Silver Bass Head", "Fender Bassman head (1972)", "B0 5B 44"},
    {"'96 Fn Mini Double", "Fender Mini Twin (1996)", "B0 5B 15"},
    {"'60 Gibtone Explorer", "Gibson Explorer GA-18 (1960)", "B0 5B 16"},
    {"'60 G-Brand Two-Tone", "Gretsch 6156 (1960)", "B0 5B 17"},
    {"'73 Highway 100 Custom", "Hiwatt Custom 100 (1973)", "B0 5B 18"},
    {"'65 Brit Plexi J-45", "Marshall JTM-45 (1965)", "B0 5B 19"},
    {"'68 Brit Plexi Lead 100", "Marshall Super Lead (1968)", "B0 5B 1A"},
    {"'68 Brit Plexi Bass 100", "Marshall Super Bass (1968)", "B0 5B 1B"},
    {"'68 Brit Plexi Jump Lead", "Marshall Super Lead jumpered (1968)", "B0 5B 1C"},
    {"'68 Brit Plexi Variac", "Marshall Variac Plexi (1968)", "B0 5B 1D"},
    {"'69 Brit Plexi Lead 200", "Marshall Major (1969)", "B0 5B 1E"},
    {"'87 Brit Gain J-800", "Marshall JCM-800 (1987)", "B0 5B 1F"},
    {"'87 Brit Gain Silver J", "Marshall Silver Jubilee (1987)", "B0 5B 45"},
    {"'96 Brit Gain JM Pre", "Marshall JMP-1 (1996)", "B0 5B 20"},
    {"'92 Brit Gain J-900 Clean", "Marshall JCM-900 clean (1992)", "B0 5B 46"},
    {"'92 Brit Gain J-900 Dist", "Marshall JCM-900 dist (1992)", "B0 5B 47"},
    {"'03 Brit Gain J-2000", "Marshall JCM-2000 (2003)", "B0 5B 48"},
    {"'96 Match Chief", "Matchless Chieftain (1996)", "B0 5B 21"},
    {"'93 Match D-30", "Matchless DC-30 (1993)", "B0 5B 22"},
    {"'85 California Crunch", "Mesa Boogie Mark II C+ (1985)", "B0 5B 25"},
    {"'01 California Treadplate", "Mesa Boogie Dual Rectifier (2001)", "B0 5B 23"},
    {"'01 California DiamondPlate", "Mesa Boogie Triple Rectifier (2001)", "B0 5B 24"},
    {"'02 Missippi Criminal", "Peavey 5150 II (2002)", "B0 5B 49"},
    {"'87 Jazz Clean 120", "Roland Jazz Chorus (1987)", "B0 5B 26"},
    {"'67 Wishbook Silver 12", "Silvertone Twin Twelve (1967)", "B0 5B 27"},
    {"'93 Hi Gain Solo 100", "Soldano SLO (1993)", "B0 5B 28"},
    {"'63 Super O Pawnshop", "Supro S6616 ('60)", "B0 5B 29"},
    {"'62 Super O Thunder", "Supro Thunderbolt (1962)", "B0 5B 2A"},
    {"'61 Class A C-15", "Vox AC-15 (1961)", "B0 5B 2B"},
    {"'67 Class A C-30 TB", "Vox AC-30 Top Bost (1967)", "B0 5B 2C"},
}};

constexpr ChannelCodeSet kCodes1 = {
    {"B0 0D ", "B0 0E ", "B0 0F ", "B0 10 ", "B0 15 ", "B0 11 "}, "B0 6F 7F", "B0 6F 00"};
constexpr ChannelCodeSet kCodes2 = {
    {"B0 5C ", "B0 5D ", "B0 5E ", "B0 5F ", "B0 66 ", "B0 67 "}, "B0 70 7F", "B0 70 00"};

}  // namespace

const std::array<ModelRecord, kAmpRecordCount>& AmpCatalogue(Channel channel) {
  return channel == Channel::Amp1 ? kAmp1 : kAmp2;
}

const ModelRecord& AmpRecord(Channel channel, int recordNumber) {
  return ModelRecordAt(AmpCatalogue(channel), recordNumber, "Amp");
}

std::optional<int> FindAmpRecord(Channel channel, std::string_view displayName) {
  return FindModelRecord(AmpCatalogue(channel), displayName);
}

const ChannelCodeSet& ChannelCodes(Channel channel) {
  return channel == Channel::Amp1 ? kCodes1 : kCodes2;
}

}  // namespace velmora

#include "catalogue/Variax.h"

#include <stdexcept>

namespace velmora {
namespace {

// Bank, Position, Brand, Model, PickupText, Message, Picture, PickupPattern, Year. The model
// number in the message is 5 * bank + 6 - position, so position 1 has a bank's highest number.
constexpr std::array<GuitarRecord, kGuitarRecordCount> kGuitars = {{
    {"T-MODEL", "1", "Fender", "Telecaster Custom", "Chevalet",
     "F0 00 01 0C 03 07 0D 02 00 00 00 00 0A F7", "14.jpg", "0:0:1", "1960"},
    {"T-MODEL", "2", "Fender", "Telecaster modified", "En série",
     "F0 00 01 0C 03 07 0D 02 00 00 00 00 09 F7", "2.jpg", "1:0:1", "1968"},
    {"T-MODEL", "3", "Fender", "Telecaster Thinline", "Chevalet + Manche",
     "F0 00 01 0C 03 07 0D 02 00 00 00 00 08 F7", "35.jpg", "1:0:1", "1968"},
    {"T-MODEL", "4", "Fender", "Telecaster Custom", "Manche",
     "F0 00 01 0C 03 07 0D 02 00 00 00 00 07 F7", "14.jpg", "1:0:0", "1960"},
    {"T-MODEL", "5", "Fender", "Telecaster Thinline", "Manche",
     "F0 00 01 0C 03 07 0D 02 00 00 00 00 06 F7", "35.jpg", "1:0:0", "1968"},
    {"SPANK", "1", "Fender", "Stratocaster", "Chevalet",
     "F0 00 01 0C 03 07 0D 02 00 00 00 00 0F F7", "12345.jpg", "0:0:1", "1959"},
    {"SPANK", "2", "Fender", "Stratocaster", "Chevalet + Centre",
     "F0 00 01 0C 03 07 0D 02 00 00 00 00 0E F7", "12345.jpg", "0:1:1", "1959"},
    {"SPANK", "3", "Fender", "Stratocaster", "Centre", "F0 00 01 0C 03 07 0D 02 00 00 00 00 0D F7",
     "12345.jpg", "0:1:0", "1959"},
    {"SPANK", "4", "Fender", "Stratocaster", "Manche + Centre",
     "F0 00 01 0C 03 07 0D 02 00 00 00 00 0C F7", "12345.jpg", "1:1:0", "1959"},
    {"SPANK", "5", "Fender", "Stratocaster", "Manche", "F0 00 01 0C 03 07 0D 02 00 00 00 00 0B F7",
     "12345.jpg", "1:0:0", "1959"},
    {"LESTER", "1", "Gibson", "Corvane Standard", "Chevalet",
     "F0 00 01 0C 03 07 0D 02 00 00 00 01 04 F7", "135.jpg", "0:0:2", "1958"},
    {"LESTER", "2", "Gibson", "Corvane Goldtop", "Chevalet",
     "F0 00 01 0C 03 07 0D 02 00 00 00 01 03 F7", "2.jpg", "0:0:2", "1952"},
    {"LESTER", "3", "Gibson", "Corvane Standard", "Chevalet + Manche",
     "F0 00 01 0C 03 07 0D 02 00 00 00 01 02 F7", "135.jpg", "2:0:2", "1958"},
    {"LESTER", "4", "Gibson", "Corvane Custom", "Chevalet + Centre",
     "F0 00 01 0C 03 07 0D 02 00 00 00 01 01 F7", "4.jpg", "0:2:2", "1961"},
    {"LESTER", "5", "Gibson", "Corvane Standard", "Manche",
     "F0 00 01 0C 03 07 0D 02 00 00 00 01 00 F7", "135.jpg", "2:0:0", "1958"},
    {"SPECIAL", "1", "Gibson", "Corvane Junior", "Chevalet",
     "F0 00 01 0C 03 07 0D 02 00 00 00 01 09 F7", "1.jpg", "0:0:2", "1956"},
    {"SPECIAL", "2", "Gibson", "Firebird V", "Chevalet",
     "F0 00 01 0C 03 07 0D 02 00 00 00 01 08 F7", "24.jpg", "0:0:2", "1976"},
    {"SPECIAL", "3", "Gibson", "Corvane Special", "Chevalet + Manche",
     "F0 00 01 0C 03 07 0D 02 00 00 00 01 07 F7", "35.jpg", "2:0:2", "1955"},
    {"SPECIAL", "4", "Gibson", "Firebird V", "Manche", "F0 00 01 0C 03 07 0D 02 00 00 00 01 06 F7",
     "24.jpg", "2:0:0", "1976"},
    {"SPECIAL", "5", "Gibson", "Corvane Special", "Manche",
     "F0 00 01 0C 03 07 0D 02 00 00 00 01 05 F7", "35.jpg", "2:0:0", "1955"},
    {"R-BILLY", "1", "Gretsch", "6120", "Chevalet", "F0 00 01 0C 03 07 0D 02 00 00 00 01 0E F7",
     "135.jpg", "0:0:2", "1959"},
    {"R-BILLY", "2", "Gretsch", "Silver Jet", "Chevalet",
     "F0 00 01 0C 03 07 0D 02 00 00 00 01 0D F7", "24.jpg", "0:0:2", "1956"},
    {"R-BILLY", "3", "Gretsch", "6120", "Chevalet + Manche",
     "F0 00 01 0C 03 07 0D 02 00 00 00 01 0C F7", "135.jpg", "2:0:2", "1959"},
    {"R-BILLY", "4", "Gretsch", "Silver Jet", "Manche", "F0 00 01 0C 03 07 0D 02 00 00 00 01 0B F7",
     "24.jpg", "2:0:0", "1956"},
    {"R-BILLY", "5", "Gretsch", "6120", "Manche", "F0 00 01 0C 03 07 0D 02 00 00 00 01 0A F7",
     "135.jpg", "2:0:0", "1959"},
    {"CHIME", "1", "Rickenbacker", "360", "Chevalet", "F0 00 01 0C 03 07 0D 02 00 00 00 02 03 F7",
     "135.jpg", "0:0:2", "1968"},
    {"CHIME", "2", "Rickenbacker", "360-12", "Chevalet",
     "F0 00 01 0C 03 07 0D 02 00 00 00 02 02 F7", "24.jpg", "0:0:2", "1966"},
    {"CHIME", "3", "Rickenbacker", "360", "Chevalet + Manche",
     "F0 00 01 0C 03 07 0D 02 00 00 00 02 01 F7", "135.jpg", "2:0:2", "1968"},
    {"CHIME", "4", "Rickenbacker", "360-12", "Manche", "F0 00 01 0C 03 07 0D 02 00 00 00 02 00 F7",
     "24.jpg", "2:0:0", "1966"},
    {"CHIME", "5", "Rickenbacker", "360", "Manche", "F0 00 01 0C 03 07 0D 02 00 00 00 01 0F F7",
     "135.jpg", "2:0:0", "1968"},
    {"SEMI", "1", "Gibson", "ES-335", "Chevalet", "F0 00 01 0C 03 07 0D 02 00 00 00 02 08 F7",
     "135.jpg", "0:0:2", "1961"},
    {"SEMI", "2", "Epiphone", "Casino", "Chevalet", "F0 00 01 0C 03 07 0D 02 00 00 00 02 07 F7",
     "24.jpg", "0:0:2", "1967"},
    {"SEMI", "3", "Gibson", "ES-335", "Chevalet + Manche",
     "F0 00 01 0C 03 07 0D 02 00 00 00 02 06 F7", "135.jpg", "2:0:2", "1961"},
    {"SEMI", "4", "Epiphone", "Casino", "Manche", "F0 00 01 0C 03 07 0D 02 00 00 00 02 05 F7",
     "24.jpg", "2:0:0", "1967"},
    {"SEMI", "5", "Gibson", "ES-335", "Manche", "F0 00 01 0C 03 07 0D 02 00 00 00 02 04 F7",
     "135.jpg", "2:0:0", "1961"},
    {"JAZZBOX", "1", "Gibson", "ES-175", "Chevalet", "F0 00 01 0C 03 07 0D 02 00 00 00 02 0D F7",
     "135.jpg", "0:0:2", "1957"},
    {"JAZZBOX", "2", "Gibson", "Super 400", "Chevalet", "F0 00 01 0C 03 07 0D 02 00 00 00 02 0C F7",
     "24.jpg", "0:0:2", "1953"},
    {"JAZZBOX", "3", "Gibson", "ES-175", "Chevalet + Manche",
     "F0 00 01 0C 03 07 0D 02 00 00 00 02 0B F7", "135.jpg", "2:0:2", "1957"},
    {"JAZZBOX", "4", "Gibson", "Super 400", "Manche", "F0 00 01 0C 03 07 0D 02 00 00 00 02 0A F7",
     "24.jpg", "2:0:0", "1953"},
    {"JAZZBOX", "5", "Gibson", "ES-175", "Manche", "F0 00 01 0C 03 07 0D 02 00 00 00 02 09 F7",
     "135.jpg", "2:0:0", "1957"},
    {"ACOUSTIC", "1", "Martin", "D-28", "", "F0 00 01 0C 03 07 0D 02 00 00 00 03 02 F7", "1.jpg",
     "0:0:1", "1959"},
    {"ACOUSTIC", "2", "Martin", "D12-28", "", "F0 00 01 0C 03 07 0D 02 00 00 00 03 01 F7", "2.jpg",
     "0:0:1", "1970"},
    {"ACOUSTIC", "3", "Martin", "O-18", "", "F0 00 01 0C 03 07 0D 02 00 00 00 03 00 F7", "3.jpg",
     "0:0:1", "1967"},
    {"ACOUSTIC", "4", "Guild", "F212", "", "F0 00 01 0C 03 07 0D 02 00 00 00 02 0F F7", "4.jpg",
     "0:0:1", "1966"},
    {"ACOUSTIC", "5", "Gibson", "J-200", "", "F0 00 01 0C 03 07 0D 02 00 00 00 02 0E F7", "5.jpg",
     "0:0:1", "1995"},
    {"RESO", "1", "Dobro", "Model 32", "", "F0 00 01 0C 03 07 0D 02 00 00 00 03 07 F7", "1.jpg",
     "0:0:0", "1935"},
    {"RESO", "2", "Coral", "Sitar", "", "F0 00 01 0C 03 07 0D 02 00 00 00 03 06 F7", "2.jpg",
     "1:0:1", ""},
    {"RESO", "3", "Danelectro", "3021", "", "F0 00 01 0C 03 07 0D 02 00 00 00 03 05 F7", "3.jpg",
     "1:0:1", "1965"},
    {"RESO", "4", "Gibson", "Mastertone Banjo", "", "F0 00 01 0C 03 07 0D 02 00 00 00 03 04 F7",
     "4.jpg", "0:0:0", "1925"},
    {"RESO", "5", "National", "Tricorne", "", "F0 00 01 0C 03 07 0D 02 00 00 00 03 03 F7", "5.jpg",
     "0:0:0", "1928"},
}};

}  // namespace

const std::array<GuitarRecord, kGuitarRecordCount>& GuitarCatalogue() {
  return kGuitars;
}

const GuitarRecord& GuitarRecordAt(int recordNumber) {
  if (recordNumber < 1 || recordNumber > kGuitarRecordCount) {
    throw std::out_of_range("Guitar record number out of range: " + std::to_string(recordNumber));
  }
  return kGuitars[recordNumber - 1];
}

std::string GuitarKey(int recordNumber) {
  const GuitarRecord& record = GuitarRecordAt(recordNumber);
  std::string key(record.Position);
  key += ' ';
  key += record.Model;
  return key;
}

std::optional<int> FindGuitarRecord(std::string_view key) {
  for (int i = 0; i < kGuitarRecordCount; ++i) {
    const GuitarRecord& record = kGuitars[i];
    // Position, one blank, Model, compared without building the key.
    if (key.size() == record.Position.size() + 1 + record.Model.size() &&
        key.starts_with(record.Position) && key[record.Position.size()] == ' ' &&
        key.ends_with(record.Model)) {
      return i + 1;
    }
  }
  return std::nullopt;
}

}  // namespace velmora

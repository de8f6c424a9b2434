#pragma once

// The fifty guitar models, in the guitar's own order: ten banks of five selector positions.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

struct GuitarRecord {
  std::string_view Bank;
  std::string_view Position;
  std::string_view Brand;
  std::string_view Model;
  std::string_view PickupText;
  std::string_view Message;
  std::string_view Picture;
  std::string_view PickupPattern;
  std::string_view Year;
};

inline constexpr int kGuitarRecordCount = 50;

const std::array<GuitarRecord, kGuitarRecordCount>& GuitarCatalogue();
const GuitarRecord& GuitarRecordAt(int recordNumber);  // 1-based
// Position + " " + Model, e.g. "1 Telecaster Custom".
std::string GuitarKey(int recordNumber);
// Exact byte comparison with the keys; nothing when none matches.
std::optional<int> FindGuitarRecord(std::string_view key);

}  // namespace velmora

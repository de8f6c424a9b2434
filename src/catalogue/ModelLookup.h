#pragma once

// Record access shared by the amp and cab catalogues, which differ only in their tables.

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "catalogue/Vetta2_Amplis.h"

namespace velmora {

template <std::size_t Count>
const ModelRecord& ModelRecordAt(const std::array<ModelRecord, Count>& records, int recordNumber,
                                 std::string_view catalogueName) {
  if (recordNumber < 1 || recordNumber > static_cast<int>(Count)) {
    throw std::out_of_range(std::string(catalogueName) +
                            " record number out of range: " + std::to_string(recordNumber));
  }
  return records[recordNumber - 1];
}

// Linear scan with exact, case-sensitive comparison: names are matched as stored.
template <std::size_t Count>
std::optional<int> FindModelRecord(const std::array<ModelRecord, Count>& records,
                                   std::string_view displayName) {
  for (std::size_t i = 0; i < Count; ++i) {
    if (records[i].DisplayName == displayName) {
      return static_cast<int>(i) + 1;
    }
  }
  return std::nullopt;
}

}  // namespace velmora

#pragma once

// The amplifier's stored presets: 16 banks of A..D per group, recalled by Program Change.

#include <array>
#include <string_view>

namespace velmora {

struct PresetEntry {
  std::string_view Key;      // "1A" .. "16D"
  std::string_view Message;  // "C0 00" .. "C0 3F" (USER), "C0 40" .. "C0 7F" (FACTORY)
};

inline constexpr int kPresetEntryCount = 64;

const std::array<PresetEntry, kPresetEntryCount>& UserPresetTable();
const std::array<PresetEntry, kPresetEntryCount>& FactoryPresetTable();

// Sent before every preset of their group.
inline constexpr std::string_view kFactoryGroupText = "C0 4E";
inline constexpr std::string_view kUserGroupText = "C0 0E";

}  // namespace velmora

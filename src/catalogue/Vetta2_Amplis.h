#pragma once

// The amp models of the amplifier's two channels and each channel's knob and power codes.
// Texts are UTF-8 in memory; preset files convert them at the file boundary.

#include <array>
#include <optional>
#include <string_view>

namespace velmora {

enum class Channel { Amp1 = 1, Amp2 = 2 };

struct ModelRecord {
  std::string_view DisplayName;
  std::string_view ModelName;
  std::string_view Message;
};

inline constexpr int kAmpRecordCount = 74;
inline constexpr int kCabRecordCount = 28;
inline constexpr int kKnobsPerChannel = 6;

// Record numbers are 1-based; record 1 is the bypass record.
const std::array<ModelRecord, kAmpRecordCount>& AmpCatalogue(Channel channel);
const ModelRecord& AmpRecord(Channel channel, int recordNumber);
// Exact, case-sensitive comparison with DisplayName; nothing when no record matches.
std::optional<int> FindAmpRecord(Channel channel, std::string_view displayName);

// The knobs' names on the amplifier, in the order of ChannelCodeSet::KnobPrefixes.
inline constexpr std::array<std::string_view, kKnobsPerChannel> kAmpKnobNames = {
    "DRIVE", "BASS", "MID", "TREB", "PRES", "VOL"};

struct ChannelCodeSet {
  // DRIVE, BASS, MID, TREB, PRES, VOL, each "B0 xx " ready for a two-digit value.
  std::array<std::string_view, kKnobsPerChannel> KnobPrefixes;
  std::string_view PowerOnText;
  std::string_view PowerOffText;
};

const ChannelCodeSet& ChannelCodes(Channel channel);

}  // namespace velmora

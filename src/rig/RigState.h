#pragma once

// The rig's state as the messages received so far leave it, and the one English line that
// tells each change. A value nobody has set, or that a stored preset's recall made unknown,
// is empty: a stored preset's content is the amplifier's, and is not invented here.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "catalogue/Vetta2_Amplis.h"
#include "rig/RigMessages.h"

namespace velmora {

struct RigChannelState {
  std::optional<int> amp;  // record number in the channel's amp catalogue
  std::optional<int> cab;  // record number in the channel's cab catalogue
  std::array<std::optional<int>, kKnobsPerChannel> knobs;  // 0..127 as received, kAmpKnobNames
  std::optional<bool> power;

  bool operator==(const RigChannelState&) const = default;
};

struct PresetRecall {
  PresetGroup group = PresetGroup::kUser;
  int index = 0;  // in the group's table

  bool operator==(const PresetRecall&) const = default;
};

struct RigState {
  std::array<RigChannelState, 2> channels;  // AMP1, AMP2
  std::optional<int> guitar;                // record number in the guitar catalogue
  std::optional<PresetRecall> preset;       // the last stored preset recalled
  std::size_t unknownCount = 0;

  RigChannelState& Of(Channel channel) { return channels[channel == Channel::Amp1 ? 0 : 1]; }
  const RigChannelState& Of(Channel channel) const {
    return channels[channel == Channel::Amp1 ? 0 : 1];
  }
  bool operator==(const RigState&) const = default;
};

// Applies one complete message, decoded as meaning; message is its bytes, for an unknown one.
// Returns the change line, or nothing when the message left the state as it was. An unknown
// message and a recall always make a line.
std::optional<std::string> ApplyRigMessage(RigState& state, const RigMessage& meaning,
                                           std::span<const std::uint8_t> message);

// Counts an overlong SysEx, dropped, of which start is the beginning, as one unknown message.
std::string ApplyOverlongSysEx(RigState& state, std::span<const std::uint8_t> start);

// The texts of the state's values, "unknown" for an empty one; and the whole state, one line
// per value in the change lines' forms, the unknown messages' count last.
std::string ChannelName(Channel channel);  // "AMP1", "AMP2"
std::optional<std::string> AmpText(const RigState& state, Channel channel);
std::optional<std::string> CabText(const RigState& state, Channel channel);
std::optional<std::string> PowerText(const RigState& state, Channel channel);  // "ON", "OFF"
std::optional<std::string> GuitarText(const RigState& state);                  // the key
std::optional<std::string> PresetText(const RigState& state);                  // "USER 4C"
std::vector<std::string> RigStateLines(const RigState& state);

}  // namespace velmora

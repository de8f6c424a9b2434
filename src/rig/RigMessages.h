#pragma once

// What one complete MIDI message means to the rig, found by inverting the catalogues: the
// amp, cab and guitar tables, the knob and power codes and the stored-preset tables. Every
// message that none of them can produce is unknown.

#include <cstdint>
#include <span>
#include <string_view>

#include "catalogue/Vetta2_Amplis.h"

namespace velmora {

enum class RigMessageKind { kUnknown, kAmp, kCab, kKnob, kPower, kGuitar, kPreset };

enum class PresetGroup { kUser, kFactory };

struct RigMessage {
  RigMessageKind kind = RigMessageKind::kUnknown;
  Channel channel = Channel::Amp1;  // amp, cab, knob, power
  // The 1-based record for amp, cab and guitar; the knob's index (0..5, kAmpKnobNames) for a
  // knob; the index in the group's table (0..63) for a preset.
  int index = 0;
  int value = 0;  // a knob's value 0..127; 1 for power on, 0 for off
  PresetGroup group = PresetGroup::kUser;

  bool operator==(const RigMessage&) const = default;
};

RigMessage DecodeRigMessage(std::span<const std::uint8_t> message);

std::string_view PresetGroupName(PresetGroup group);  // "USER", "FACTORY"

}  // namespace velmora

#include "rig/RigState.h"

#include "catalogue/Presets.h"
#include "catalogue/Variax.h"
#include "catalogue/Vetta2_Enceintes.h"
#include "rig/MidiByteReceiver.h"

namespace velmora {
namespace {

constexpr const char* kUnknownValue = "unknown";

std::string HexOf(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (std::uint8_t byte : bytes) {
    if (!text.empty()) {
      text += ' ';
    }
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
  return text;
}

std::string PresetKeyText(const PresetRecall& recall) {
  const auto& table = recall.group == PresetGroup::kUser ? UserPresetTable() : FactoryPresetTable();
  return std::string(PresetGroupName(recall.group)) + " " +
         std::string(table[static_cast<std::size_t>(recall.index)].Key);
}

std::string Line(const std::string& name, const std::optional<std::string>& value) {
  return name + ": " + value.value_or(kUnknownValue);
}

std::string KnobLine(Channel channel, int knob, const std::optional<int>& value) {
  return Line(
      ChannelName(channel) + " " + std::string(kAmpKnobNames[static_cast<std::size_t>(knob)]),
      value ? std::optional(std::to_string(*value)) : std::nullopt);
}

// Sets target; the line is made only when the value differs from what it was.
template <typename Value, typename MakeLine>
std::optional<std::string> Set(std::optional<Value>& target, Value value, MakeLine makeLine) {
  if (target == value) {
    return std::nullopt;
  }
  target = value;
  return makeLine();
}

std::optional<std::string> Recall(RigState& state, const RigMessage& meaning) {
  for (RigChannelState& channel : state.channels) {
    channel = RigChannelState{};
  }
  state.guitar.reset();
  state.preset = PresetRecall{meaning.group, meaning.index};
  return "preset: " + PresetKeyText(*state.preset) +
         " (stored preset: amp and guitar settings unknown)";
}

}  // namespace

std::string ChannelName(Channel channel) {
  return channel == Channel::Amp1 ? "AMP1" : "AMP2";
}

std::optional<std::string> AmpText(const RigState& state, Channel channel) {
  const std::optional<int>& amp = state.Of(channel).amp;
  return amp ? std::optional(std::string(AmpRecord(channel, *amp).DisplayName)) : std::nullopt;
}

std::optional<std::string> CabText(const RigState& state, Channel channel) {
  const std::optional<int>& cab = state.Of(channel).cab;
  return cab ? std::optional(std::string(CabRecord(channel, *cab).DisplayName)) : std::nullopt;
}

std::optional<std::string> PowerText(const RigState& state, Channel channel) {
  const std::optional<bool>& power = state.Of(channel).power;
  return power ? std::optional<std::string>(*power ? "ON" : "OFF") : std::nullopt;
}

std::optional<std::string> GuitarText(const RigState& state) {
  return state.guitar ? std::optional(GuitarKey(*state.guitar)) : std::nullopt;
}

std::optional<std::string> PresetText(const RigState& state) {
  return state.preset ? std::optional(PresetKeyText(*state.preset)) : std::nullopt;
}

std::optional<std::string> ApplyRigMessage(RigState& state, const RigMessage& meaning,
                                           std::span<const std::uint8_t> message) {
  const Channel channel = meaning.channel;
  RigChannelState& amp = state.Of(channel);
  const std::string name = ChannelName(channel);
  switch (meaning.kind) {
    case RigMessageKind::kAmp:
      return Set(amp.amp, meaning.index,
                 [&] { return Line(name + " amp", AmpText(state, channel)); });
    case RigMessageKind::kCab:
      return Set(amp.cab, meaning.index,
                 [&] { return Line(name + " cab", CabText(state, channel)); });
    case RigMessageKind::kKnob: {
      auto& knob = amp.knobs[static_cast<std::size_t>(meaning.index)];
      return Set(knob, meaning.value, [&] { return KnobLine(channel, meaning.index, knob); });
    }
    case RigMessageKind::kPower:
      return Set(amp.power, meaning.value == 1,
                 [&] { return Line(name + " power", PowerText(state, channel)); });
    case RigMessageKind::kGuitar:
      return Set(state.guitar, meaning.index, [&] { return Line("guitar", GuitarText(state)); });
    case RigMessageKind::kPreset:
      return Recall(state, meaning);
    case RigMessageKind::kUnknown:
      break;
  }
  ++state.unknownCount;
  return "unknown: " + HexOf(message);
}

std::string ApplyOverlongSysEx(RigState& state, std::span<const std::uint8_t> start) {
  ++state.unknownCount;
  return "unknown: " + HexOf(start) + " ... (SysEx longer than " + std::to_string(kLongestSysEx) +
         " bytes, dropped)";
}

std::vector<std::string> RigStateLines(const RigState& state) {
  std::vector<std::string> lines;
  for (Channel channel : {Channel::Amp1, Channel::Amp2}) {
    const std::string name = ChannelName(channel);
    lines.push_back(Line(name + " amp", AmpText(state, channel)));
    lines.push_back(Line(name + " cab", CabText(state, channel)));
    lines.push_back(Line(name + " power", PowerText(state, channel)));
    for (int knob = 0; knob < kKnobsPerChannel; ++knob) {
      lines.push_back(KnobLine(channel, knob, state.Of(channel).knobs[knob]));
    }
  }
  lines.push_back(Line("guitar", GuitarText(state)));
  lines.push_back(Line("preset", PresetText(state)));
  lines.push_back("unknown messages: " + std::to_string(state.unknownCount));
  return lines;
}

}  // namespace velmora

#include "rig/RigMessages.h"

#include <map>
#include <vector>

#include "catalogue/Presets.h"
#include "catalogue/Variax.h"
#include "catalogue/Vetta2_Enceintes.h"

namespace velmora {
namespace {

using Bytes = std::vector<std::uint8_t>;

int HexDigit(char c) {
  return c <= '9' ? c - '0' : c - 'A' + 10;
}

// The catalogues' texts: upper-case pairs separated by single blanks, with or without a
// trailing blank (the knob prefixes).
Bytes BytesOf(std::string_view text) {
  Bytes bytes;
  for (std::size_t i = 0; i + 1 < text.size(); i += 3) {
    bytes.push_back(static_cast<std::uint8_t>(HexDigit(text[i]) * 16 + HexDigit(text[i + 1])));
  }
  return bytes;
}

// Whole messages, and the two-byte beginnings of knob messages whose third byte is the value.
struct MeaningTables {
  std::map<Bytes, RigMessage> whole;
  std::map<Bytes, RigMessage> knobPrefixes;

  MeaningTables() {
    for (Channel channel : {Channel::Amp1, Channel::Amp2}) {
      const auto& amps = AmpCatalogue(channel);
      for (std::size_t i = 0; i < amps.size(); ++i) {
        Add(amps[i].Message, {RigMessageKind::kAmp, channel, static_cast<int>(i) + 1});
      }
      const auto& cabs = CabCatalogue(channel);
      for (std::size_t i = 0; i < cabs.size(); ++i) {
        Add(cabs[i].Message, {RigMessageKind::kCab, channel, static_cast<int>(i) + 1});
      }
      const ChannelCodeSet& codes = ChannelCodes(channel);
      for (int knob = 0; knob < kKnobsPerChannel; ++knob) {
        knobPrefixes[BytesOf(codes.KnobPrefixes[static_cast<std::size_t>(knob)])] = {
            RigMessageKind::kKnob, channel, knob};
      }
      Add(codes.PowerOnText, {RigMessageKind::kPower, channel, 0, 1});
      Add(codes.PowerOffText, {RigMessageKind::kPower, channel, 0, 0});
    }
    const auto& guitars = GuitarCatalogue();
    for (std::size_t i = 0; i < guitars.size(); ++i) {
      Add(guitars[i].Message, {RigMessageKind::kGuitar, Channel::Amp1, static_cast<int>(i) + 1});
    }
    for (PresetGroup group : {PresetGroup::kUser, PresetGroup::kFactory}) {
      const auto& table = group == PresetGroup::kUser ? UserPresetTable() : FactoryPresetTable();
      for (std::size_t i = 0; i < table.size(); ++i) {
        Add(table[i].Message,
            {RigMessageKind::kPreset, Channel::Amp1, static_cast<int>(i), 0, group});
      }
    }
  }

  void Add(std::string_view text, const RigMessage& meaning) { whole[BytesOf(text)] = meaning; }
};

const MeaningTables& Tables() {
  static const MeaningTables tables;
  return tables;
}

}  // namespace

RigMessage DecodeRigMessage(std::span<const std::uint8_t> message) {
  const MeaningTables& tables = Tables();
  const Bytes bytes(message.begin(), message.end());
  if (const auto found = tables.whole.find(bytes); found != tables.whole.end()) {
    return found->second;
  }
  if (bytes.size() == 3 && bytes[2] < 0x80) {
    const auto prefix = tables.knobPrefixes.find(Bytes(bytes.begin(), bytes.begin() + 2));
    if (prefix != tables.knobPrefixes.end()) {
      RigMessage knob = prefix->second;
      knob.value = bytes[2];
      return knob;
    }
  }
  return {};
}

std::string_view PresetGroupName(PresetGroup group) {
  return group == PresetGroup::kUser ? "USER" : "FACTORY";
}

}  // namespace velmora

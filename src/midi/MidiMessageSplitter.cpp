#include "midi/MidiMessageSplitter.h"

namespace velmora {

namespace {

constexpr std::uint8_t kSysExStart = 0xF0;
constexpr std::uint8_t kSysExEnd = 0xF7;
constexpr std::uint8_t kFirstRealTime = 0xF8;

bool IsStatus(std::uint8_t byte) {
  return byte >= 0x80;
}

}  // namespace

std::size_t MidiMessageLength(std::uint8_t status) {
  if (!IsStatus(status)) {
    return 0;
  }
  if (status < 0xF0) {
    const std::uint8_t kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 2 : 3;
  }
  switch (status) {
    case 0xF1:  // time code quarter frame
    case 0xF3:  // song select
      return 2;
    case 0xF2:  // song position
      return 3;
    case 0xF6:  // tune request
    case 0xF8:
    case 0xFA:
    case 0xFB:
    case 0xFC:
    case 0xFE:
    case 0xFF:
      return 1;
    default:  // F0, F7 and the undefined F4, F5, F9, FD
      return 0;
  }
}

std::vector<MidiMessage> SplitMidiMessages(std::span<const std::uint8_t> bytes) {
  std::vector<MidiMessage> messages;
  MidiMessage pending;
  std::size_t expected = 0;  // length of the pending message; 0 when none is open
  bool inSysEx = false;

  for (const std::uint8_t byte : bytes) {
    if (byte >= kFirstRealTime) {
      if (MidiMessageLength(byte) == 1) {
        messages.push_back({byte});
      }
      continue;
    }
    if (IsStatus(byte)) {
      if (inSysEx && byte == kSysExEnd) {
        pending.push_back(byte);
        messages.push_back(std::move(pending));
      }
      // Any status byte ends the message in progress; an unfinished one is lost here.
      pending.clear();
      expected = 0;
      inSysEx = byte == kSysExStart;
      const std::size_t length = MidiMessageLength(byte);
      if (inSysEx || length > 1) {
        pending.push_back(byte);
        expected = length;
      } else if (length == 1) {
        messages.push_back({byte});
      }
      continue;
    }
    if (inSysEx) {
      pending.push_back(byte);
    } else if (expected > 0) {
      pending.push_back(byte);
      if (pending.size() == expected) {
        messages.push_back(std::move(pending));
        pending.clear();
        expected = 0;
      }
    }
  }
  return messages;
}

}  // namespace velmora

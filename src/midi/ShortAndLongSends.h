#pragma once

// What a system with separate calls for short messages and SysEx (the Windows multimedia
// API) is given for one of our long buffers. Such a system may take a long buffer for one
// SysEx and nothing else (Wine's driver wraps whatever it gets in F0 ... F7), so the buffer
// is cut into its complete messages by SplitMidiMessages, with its rules:
// - a channel, system-common or real-time message becomes a short send, packed as the short
//   call wants it: status in the low byte, then the data bytes;
// - a SysEx becomes a long send of its own, whole, F0 to F7;
// - a data byte that belongs to no message (the pad 00 after a text) is dropped.

#include <cstdint>
#include <span>
#include <vector>

#include "midi/MidiMessageSplitter.h"

namespace velmora {

struct ShortOrLongSend {
  std::uint32_t shortMessage = 0;  // the packed message; 0 for a SysEx
  MidiMessage sysEx;               // the whole SysEx; empty for a short send
};

std::vector<ShortOrLongSend> SplitIntoShortAndLongSends(std::span<const std::uint8_t> bytes);

}  // namespace velmora

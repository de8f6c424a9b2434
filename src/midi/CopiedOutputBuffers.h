#pragma once

// The output half of the buffer protocol for systems that copy a buffer's bytes away during
// the send itself (the ALSA sequencer, JACK): no buffer is ever held, so preparing only checks
// and marks it, and a long send hands it back done whatever became of its bytes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "midi/MidiPlatform.h"

namespace velmora {

MidiResult PrepareCopiedOutputBuffer(MidiHeader& header);
MidiResult UnprepareCopiedOutputBuffer(MidiHeader& header);

// Sends the buffer's bytes through `send` once it is prepared, then marks it done.
template <typename Send>
MidiResult SendCopiedOutputBuffer(MidiHeader& header, Send&& send) {
  if ((header.flags & kHeaderPrepared) == 0) {
    return kMidiUnprepared;
  }
  const MidiResult result = send(std::span<const std::uint8_t>(header.data, header.bufferLength));
  header.flags |= kHeaderDone;
  return result;
}

// A short message as packed for OutputShort, status first; length 0 where its status starts
// no message of fixed length or a data byte has its top bit set.
struct ShortMessageBytes {
  std::array<std::uint8_t, 3> bytes{};
  std::size_t length = 0;
  std::span<const std::uint8_t> View() const { return {bytes.data(), length}; }
};
ShortMessageBytes UnpackShortMessage(std::uint32_t message);

}  // namespace velmora

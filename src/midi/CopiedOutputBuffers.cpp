#include "midi/CopiedOutputBuffers.h"

#include "midi/MidiMessageSplitter.h"

namespace velmora {

MidiResult PrepareCopiedOutputBuffer(MidiHeader& header) {
  if (header.data == nullptr && header.bufferLength > 0) {
    return kMidiInvalidParam;
  }
  header.flags = (header.flags & ~kHeaderDone) | kHeaderPrepared;
  return kMidiOk;
}

MidiResult UnprepareCopiedOutputBuffer(MidiHeader& header) {
  header.flags &= ~kHeaderPrepared;
  return kMidiOk;
}

ShortMessageBytes UnpackShortMessage(std::uint32_t message) {
  ShortMessageBytes unpacked;
  const auto status = static_cast<std::uint8_t>(message & 0xFF);
  const std::size_t length = MidiMessageLength(status);
  if (length == 0) {
    return unpacked;
  }
  unpacked.bytes[0] = status;
  for (std::size_t i = 1; i < length; ++i) {
    unpacked.bytes[i] = static_cast<std::uint8_t>((message >> (8 * i)) & 0xFF);
    if (unpacked.bytes[i] >= 0x80) {
      return {};
    }
  }
  unpacked.length = length;
  return unpacked;
}

}  // namespace velmora

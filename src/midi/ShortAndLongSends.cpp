#include "midi/ShortAndLongSends.h"

namespace velmora {

std::vector<ShortOrLongSend> SplitIntoShortAndLongSends(std::span<const std::uint8_t> bytes) {
  std::vector<ShortOrLongSend> sends;
  for (MidiMessage& message : SplitMidiMessages(bytes)) {
    ShortOrLongSend send;
    if (message.front() == 0xF0) {
      send.sysEx = std::move(message);
    } else {
      for (std::size_t i = 0; i < message.size(); ++i) {
        send.shortMessage |= static_cast<std::uint32_t>(message[i]) << (8 * i);
      }
    }
    sends.push_back(std::move(send));
  }
  return sends;
}

}  // namespace velmora

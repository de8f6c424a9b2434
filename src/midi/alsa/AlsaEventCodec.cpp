#include "midi/alsa/AlsaEventCodec.h"

#include <new>

namespace velmora {

namespace {

// Enough for the longest non-SysEx event decoded at once: a registered parameter number
// becomes four controller messages (12 bytes).
constexpr long kDecodeRoom = 32;

}  // namespace

AlsaEventCodec::AlsaEventCodec() {
  // The parser only buffers non-SysEx messages (SysEx is encoded by hand), so 3 bytes do.
  if (snd_midi_event_new(3, &parser_) < 0) {
    throw std::bad_alloc();
  }
  snd_midi_event_no_status(parser_, 1);
}

AlsaEventCodec::~AlsaEventCodec() {
  snd_midi_event_free(parser_);
}

bool AlsaEventCodec::Encode(const MidiMessage& message, snd_seq_event_t& event) {
  if (message.empty()) {
    return false;
  }
  if (message.front() == 0xF0) {
    snd_seq_ev_set_sysex(&event, static_cast<unsigned>(message.size()),
                         const_cast<std::uint8_t*>(message.data()));
    return true;
  }
  snd_midi_event_reset_encode(parser_);
  const long used =
      snd_midi_event_encode(parser_, message.data(), static_cast<long>(message.size()), &event);
  return used == static_cast<long>(message.size()) && event.type != SND_SEQ_EVENT_NONE;
}

std::vector<std::uint8_t> AlsaEventCodec::Decode(const snd_seq_event_t& event) {
  if (event.type == SND_SEQ_EVENT_SYSEX) {
    const auto* bytes = static_cast<const std::uint8_t*>(event.data.ext.ptr);
    if (bytes == nullptr) {
      return {};
    }
    return {bytes, bytes + event.data.ext.len};
  }
  std::vector<std::uint8_t> bytes(kDecodeRoom);
  snd_midi_event_reset_decode(parser_);
  const long count = snd_midi_event_decode(parser_, bytes.data(), kDecodeRoom, &event);
  bytes.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
  return bytes;
}

}  // namespace velmora

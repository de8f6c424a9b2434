#pragma once

// Turns complete MIDI messages into ALSA sequencer events and events back into MIDI bytes.
// Works without a sequencer: it only fills and reads event structures.

#include <alsa/asoundlib.h>

#include <cstdint>
#include <vector>

#include "midi/MidiMessageSplitter.h"

namespace velmora {

class AlsaEventCodec {
 public:
  // Throws std::bad_alloc when libasound cannot allocate its parser.
  AlsaEventCodec();
  ~AlsaEventCodec();
  AlsaEventCodec(const AlsaEventCodec&) = delete;
  AlsaEventCodec& operator=(const AlsaEventCodec&) = delete;

  // Fills the type and data of `event` for one complete message (as SplitMidiMessages
  // gives them); addressing is left to the caller. A SysEx event points into `message`,
  // which must outlive the event. False for a message the sequencer has no event for.
  bool Encode(const MidiMessage& message, snd_seq_event_t& event);

  // The MIDI bytes of an event, without running status: one or more complete messages
  // (a 14-bit controller gives two), a SysEx event its bytes as they came. Empty for an
  // event that is not MIDI (subscriptions, client and port announcements...).
  std::vector<std::uint8_t> Decode(const snd_seq_event_t& event);

 private:
  snd_midi_event_t* parser_ = nullptr;
};

}  // namespace velmora

#pragma once

// The Linux backend: ports of the ALSA sequencer (hardware and software clients alike).

#include <memory>

#include "midi/MidiPlatform.h"

namespace velmora {

// Port names are "<client name>:<port name>", e.g.
// "USB MIDI Interface:USB MIDI Interface MIDI 1". A machine without a sequencer (no
// /dev/snd) gives a platform with no ports rather than an error.
std::unique_ptr<MidiPlatform> MakeAlsaMidiPlatform();

}  // namespace velmora

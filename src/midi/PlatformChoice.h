#pragma once

#include <memory>
#include <string>

#include "midi/MidiPlatform.h"

namespace velmora {

// Builds the platform a VELMORA_MIDI value names: "virtual" (2 outputs, 2 inputs),
// "virtual:N" (N of each), "alsa", "winmm", or empty for the system's default. capturePath
// is where the virtual backend writes its capture lines (empty: none). Throws MidiError
// with a clear text for a value this program cannot honour.
std::unique_ptr<MidiPlatform> MakeMidiPlatform(const std::string& choice,
                                               const std::string& capturePath);

// The same, reading VELMORA_MIDI and VELMORA_MIDI_CAPTURE from the environment.
std::unique_ptr<MidiPlatform> MakeMidiPlatformFromEnvironment();

}  // namespace velmora

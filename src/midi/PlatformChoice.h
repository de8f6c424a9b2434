#pragma once

#include <memory>
#include <string>

#include "midi/MidiPlatform.h"

namespace velmora {

// Builds the platform a VELMORA_MIDI value names: "virtual" (2 outputs, 2 inputs),
// "virtual:N" (N of each), "alsa", "jack", "winmm", or empty for the system's default. capturePath
// is where the virtual backend writes its capture lines (empty: none); replayPath is the
// virtual backend's scripted input (empty: none; see midi/virtual/VirtualReplay.h), which
// no other backend can play. Throws MidiError with a clear text for a value this program
// cannot honour (with no JACK server running, for "jack"), and for a replay file that cannot be
// read or holds a malformed line.
std::unique_ptr<MidiPlatform> MakeMidiPlatform(const std::string& choice,
                                               const std::string& capturePath,
                                               const std::string& replayPath = {});

// The same, reading VELMORA_MIDI, VELMORA_MIDI_CAPTURE and VELMORA_MIDI_REPLAY from the
// environment.
std::unique_ptr<MidiPlatform> MakeMidiPlatformFromEnvironment();

}  // namespace velmora

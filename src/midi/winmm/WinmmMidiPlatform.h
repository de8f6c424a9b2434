#pragma once

// The Windows backend: a thin pass-through to the multimedia API's midiIn*/midiOut* calls.

#include <memory>

#include "midi/MidiPlatform.h"

namespace velmora {

std::unique_ptr<MidiPlatform> MakeWinmmMidiPlatform();

}  // namespace velmora

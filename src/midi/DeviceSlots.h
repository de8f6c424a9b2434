#pragma once

#include "midi/Midi.h"

namespace velmora {

// The input object if one exists, without building it: for the notification thread.
TMidiInput* PeekMidiInput();

}  // namespace velmora

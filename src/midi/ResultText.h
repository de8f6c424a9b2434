#pragma once

#include <string>

#include "midi/MidiPlatform.h"

namespace velmora {

// Our own wording for every result code a backend of ours returns, so that a message box
// says the same thing whichever MIDI system stands behind the port. False for a code that
// has no text here.
bool DescribeMidiResult(MidiResult result, std::string& text);

}  // namespace velmora

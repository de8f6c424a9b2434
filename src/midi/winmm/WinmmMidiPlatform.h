#pragma once

// The Windows backend: a thin pass-through to the multimedia API's midiIn*/midiOut* calls.
// Result codes and error texts (midiInGetErrorTextA) are the platform's own.
//
// - Each of our headers gets a real MIDIHDR, kept from prepare until unprepare or the close
//   of its port; the platform's flags and byte counts are copied back into ours.
// - OutputLong returns only once the platform has set the buffer's done flag: output ports
//   are opened with an event that the platform signals when a buffer is done, so waiting
//   costs no polling delay. A driver still holding the buffer after 3 s is reset, which
//   gives the buffer back, and the send fails with MIDIERR_NOTREADY (67).
// - Input notifications reach our MidiInProc unchanged, except that kMimLongData carries
//   our MidiHeader in param1 instead of the platform's MIDIHDR.

#include <memory>

#include "midi/MidiPlatform.h"

namespace velmora {

std::unique_ptr<MidiPlatform> MakeWinmmMidiPlatform();

}  // namespace velmora

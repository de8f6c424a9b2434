#pragma once

// The Windows backend: a thin pass-through to the multimedia API's midiIn*/midiOut* calls.
// Result codes and error texts (midiInGetErrorTextA) are the platform's own.
//
// - Each of our headers gets a real MIDIHDR, kept from prepare until unprepare or the close
//   of its port; the platform's flags and byte counts are copied back into ours.
// - OutputLong cuts the buffer into its complete messages (ShortAndLongSends.h): channel
//   and system-common messages go through midiOutShortMsg, each SysEx whole through
//   midiOutLongMsg in a header of its own, and a data byte of no message (the pad 00 after
//   a text) is dropped. Drivers that take a long buffer as one SysEx (Wine's) would
//   otherwise wrap a Control Change in F0 ... F7. The first refusal ends the buffer.
// - Each SysEx send returns only once the platform has set its done flag: output ports
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

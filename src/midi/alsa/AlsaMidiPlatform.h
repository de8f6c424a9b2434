#pragma once

// The Linux backend: ports of the ALSA sequencer (hardware and software clients alike).
//
// - Port names are "<client name>:<port name>", e.g.
//   "USB MIDI Interface:USB MIDI Interface MIDI 1"; readable ports are the inputs,
//   writable ports the outputs, in client and port order. Our own client and the system
//   client (timer, announcements) are left out. The list is read again on every
//   InputCount/OutputCount; names and opens use the list read last.
// - A machine without a sequencer (no /dev/snd) gives a platform with no ports, not an
//   error, and libasound prints nothing.
// - The sequencer carries messages, not bytes: OutputLong sends every complete message of
//   the buffer as one event, in order (a SysEx as one event), then drains. A data byte that
//   belongs to no message, such as the pad 00 after "B0 0C 31", cannot travel and is dropped
//   silently; see MidiMessageSplitter.h for the rules (no running status).
// - Input runs on one reader thread. Channel and system messages arrive as kMimData
//   (status | data1 << 8 | data2 << 16 in param1), SysEx fills the queued buffers and comes
//   back as kMimLongData (param1 = the MidiHeader); param2 is milliseconds since
//   InputStart. InputStop and InputReset hand the buffers they give back to the
//   notification procedure before returning, on the calling thread, as winmm does: do not
//   hold a lock the procedure takes while calling them.

#include <memory>

#include "midi/MidiPlatform.h"

namespace velmora {

std::unique_ptr<MidiPlatform> MakeAlsaMidiPlatform();

}  // namespace velmora

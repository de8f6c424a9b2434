#pragma once

// The JACK backend: MIDI ports of the other clients of a running JACK server.
//
// - One client, "Velmora" (the server adds a suffix when the name is taken), on the server
//   that JACK_DEFAULT_SERVER names, or the default one. It never starts a server: with none
//   running, making the platform throws MidiError saying how to start one.
// - Port names are JACK's full names, "client:port". The other clients' MIDI output ports
//   are our inputs and their MIDI input ports our outputs, in the server's order. Our own
//   ports are left out, told apart by the server rather than by name. The list is read
//   again on every InputCount/OutputCount; names and opens use the list read last.
// - Opening output i registers a port of ours ("Out <n>") and connects it to that port;
//   opening input i registers "In <n>" and connects that port to it. Closing unregisters
//   ours, which ends the connection.
// - Output: each OutputShort and each OutputLong buffer becomes one JACK MIDI event, byte for
//   byte (a SysEx whole, a stray 00 after a message included), at the start of the next
//   process cycle and in the order sent. Both return once the bytes are queued; a full
//   queue makes them wait for the process thread. An event over half a port buffer could
//   never be written and is refused (kMidiInvalidParam). A send to a port that has gone is
//   refused with kMidiBadDeviceId, as the ALSA backend does. OutputClose and the destructor
//   wait until what was queued has gone out.
// - Input: the process thread queues each event; a delivery thread of ours hands it to the
//   notification procedure: kMimData for channel and system messages, SysEx into the
//   queued buffers and back as kMimLongData, param2 being milliseconds since InputStart.
//   Events that arrive while the queue is full are lost, as on a device that overruns.
//   InputStop and InputReset hand the buffers they give back to the notification
//   procedure before returning, on the calling thread, as winmm does.
// - WatchPorts: MIDI ports of other clients appearing, any port going (JACK no longer says
//   whose it was, so closing one of ours counts too), clients leaving, and the server
//   stopping call the function from the delivery thread, never from a JACK thread.
//   WatchPorts returns once no call of the function it replaces is under way (unless it is
//   called from inside that function), so an empty function really ends the calls.
// - When the server stops, the lists are empty and every operation on an open port gives
//   kMidiJackServerGone.

#include <memory>

#include "midi/MidiPlatform.h"

namespace velmora {

inline constexpr MidiResult kMidiJackServerGone = 0x7F02;

std::unique_ptr<MidiPlatform> MakeJackMidiPlatform();

}  // namespace velmora

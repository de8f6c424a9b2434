#include <jack/jack.h>
#include <jack/midiport.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <thread>

#include "midi/jack/JackMidiPlatformImpl.h"

namespace velmora {

MidiResult JackMidiPlatform::OpenSlot(std::array<Slot, kSlots>& slots, const std::string& other,
                                      bool output, MidiHandle handle, std::size_t& slot) {
  if (serverGone_) {
    return kMidiJackServerGone;
  }
  const auto free = std::find_if(slots.begin(), slots.end(), [](const Slot& candidate) {
    return candidate.port.load(std::memory_order_relaxed) == nullptr;
  });
  if (free == slots.end()) {
    return kMidiNoMemory;
  }
  const std::string name = (output ? "Out " : "In ") + std::to_string(handle);
  jack_port_t* port = jack_port_register(client_, name.c_str(), JACK_DEFAULT_MIDI_TYPE,
                                         output ? JackPortIsOutput : JackPortIsInput, 0);
  if (port == nullptr) {
    return kMidiNoDriver;
  }
  const int connected = output ? jack_connect(client_, jack_port_name(port), other.c_str())
                               : jack_connect(client_, other.c_str(), jack_port_name(port));
  if (connected != 0 && connected != EEXIST) {
    // The other port went since the list was read: the number no longer names a port.
    jack_port_unregister(client_, port);
    return kMidiBadDeviceId;
  }
  free->handle.store(handle, std::memory_order_relaxed);
  free->port.store(port, std::memory_order_release);
  slot = static_cast<std::size_t>(free - slots.begin());
  if (output) {
    AwaitConnection(port, other);
  }
  return kMidiOk;
}

void JackMidiPlatform::AwaitConnection(const jack_port_t* port, const std::string& other) {
  // jack_connect returns before the connection is in the graph: an event written in a cycle
  // before that goes nowhere, and a send made at once after opening (velmora-cli send) would
  // be lost whole. An input has nothing to wait for: it hears what comes once started. Once this
  // client sees the connection, two more cycles make sure the server runs the graph that holds it.
  const Clock::time_point until = Clock::now() + kPatience;
  while (jack_port_connected_to(port, other.c_str()) == 0 && !serverGone_ && Clock::now() < until) {
    std::this_thread::sleep_for(kPoll);
  }
  AwaitCycles();
}

void JackMidiPlatform::CloseSlot(Slot& slot) {
  jack_port_t* port = slot.port.exchange(nullptr, std::memory_order_acq_rel);
  AwaitCycles();
  slot.handle.store(kNoHandle, std::memory_order_relaxed);
  if (!serverGone_) {
    jack_port_unregister(client_, port);
  }
}

void JackMidiPlatform::AwaitCycles() {
  const std::uint64_t from = cycles_.load(std::memory_order_acquire);
  const Clock::time_point until = Clock::now() + kPatience;
  while (cycles_.load(std::memory_order_acquire) < from + 2 && !serverGone_ &&
         Clock::now() < until) {
    std::this_thread::sleep_for(kPoll);
  }
}

}  // namespace velmora

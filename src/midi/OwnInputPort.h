#pragma once

// A MIDI input port of this program's own, which other programs list as a port to send to:
// the simulated rig as a device. ALSA makes it a sequencer client with one port, JACK a
// client with one MIDI input port. Windows has no way to make one without a driver.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

namespace velmora {

class OwnInputPort {
 public:
  virtual ~OwnInputPort() = default;
};

// Told the bytes of each message received, on a thread of the port's own, one call at a
// time, until the port is destroyed.
using OwnInputHandler = std::function<void(std::span<const std::uint8_t> bytes)>;

// choice is the VELMORA_MIDI value ("" for the system's default). Throws MidiError with a
// text that says what to do instead where no such port can be made.
std::unique_ptr<OwnInputPort> CreateOwnInputPort(const std::string& choice, const std::string& name,
                                                 OwnInputHandler onBytes);

// The backends' makers, where they are built.
std::unique_ptr<OwnInputPort> CreateAlsaOwnInputPort(const std::string& name,
                                                     OwnInputHandler onBytes);
std::unique_ptr<OwnInputPort> CreateJackOwnInputPort(const std::string& name,
                                                     OwnInputHandler onBytes);

}  // namespace velmora

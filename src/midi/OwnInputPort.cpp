#include "midi/OwnInputPort.h"

#include "midi/Midi.h"

namespace velmora {

std::unique_ptr<OwnInputPort> CreateOwnInputPort(const std::string& choice, const std::string& name,
                                                 OwnInputHandler onBytes) {
  if (choice == "jack") {
#ifdef VELMORA_HAVE_JACK
    return CreateJackOwnInputPort(name, std::move(onBytes));
#else
    throw MidiError("VELMORA_MIDI=jack: this program was built without JACK.");
#endif
  }
  if (choice.starts_with("virtual")) {
    throw MidiError(
        "The virtual MIDI ports live inside one program: no other program can send to them. "
        "Run without VELMORA_MIDI=virtual, or give the rig a capture file with --from.");
  }
#ifdef VELMORA_HAVE_ALSA
  if (choice.empty() || choice == "alsa") {
    return CreateAlsaOwnInputPort(name, std::move(onBytes));
  }
#endif
  (void)name;
  (void)onBytes;
#ifdef _WIN32
  throw MidiError(
      "On Windows a MIDI device that other programs can send to needs a driver, which this "
      "program does not install. Install a loopback MIDI driver, have the other program send "
      "to it, and listen on its input with 'velmora-cli rig --in N'.");
#else
  throw MidiError("VELMORA_MIDI=" + choice +
                  ": this MIDI system cannot give the rig a device of its own; use alsa or jack.");
#endif
}

}  // namespace velmora

#include "midi/ResultText.h"

namespace velmora {

bool DescribeMidiResult(MidiResult result, std::string& text) {
  switch (result) {
    case kMidiOk:
      text = "The MIDI operation succeeded.";
      return true;
    case kMidiBadDeviceId:
      text = "There is no MIDI port with this number.";
      return true;
    case kMidiAllocated:
      text = "The MIDI port is already in use.";
      return true;
    case kMidiInvalidHandle:
      text = "The MIDI port is not open.";
      return true;
    case kMidiNoDriver:
      text = "The MIDI port has no working driver.";
      return true;
    case kMidiNoMemory:
      text = "Not enough memory for the MIDI operation.";
      return true;
    case kMidiInvalidParam:
      text = "The MIDI system refused a parameter of the operation.";
      return true;
    case kMidiUnprepared:
      text = "The MIDI buffer was not prepared before use.";
      return true;
    case kMidiStillPlaying:
      text = "The MIDI port is still using the buffer.";
      return true;
    case kMidiNotReady:
      text = "The MIDI port is busy and cannot take the message now.";
      return true;
    default:
      return false;
  }
}

}  // namespace velmora

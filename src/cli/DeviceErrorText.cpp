#include "cli/DeviceErrorText.h"

#include <string_view>

#include "midi/Midi.h"

namespace velmora {

namespace {

constexpr std::string_view kNoPortHint =
    "No MIDI output port here: 'velmora-cli ports' lists the ports; VELMORA_MIDI=virtual "
    "gives the built-in virtual ports.";

bool NoOutputPortAtAll() {
  try {
    return GetMidiOutput().DeviceCount() == 0;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

void PrintCommandError(std::ostream& err, const std::exception& error) {
  const std::string_view text = error.what();
  err << text << '\n';
  // Only the output side: a missing input port is not what the hint is about.
  if (text.starts_with("TMidiOutput: Device index out of bounds!") && NoOutputPortAtAll()) {
    err << kNoPortHint << '\n';
  }
}

}  // namespace velmora

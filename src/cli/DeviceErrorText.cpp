#include "cli/DeviceErrorText.h"

#include <string>
#include <string_view>

#include "midi/Midi.h"
#include "midi/PrintableText.h"
#include "profile/Profile.h"

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
  // The window shows a save's failure without the reason; here the reason is all the user
  // gets to go on.
  const auto* failedWrite = dynamic_cast<const ProfileWriteError*>(&error);
  const std::string reason = failedWrite != nullptr && !failedWrite->Reason().empty()
                                 ? ": " + failedWrite->Reason() + "."
                                 : std::string();
  // The text may quote a file or a port name: escaped, it cannot drive the terminal.
  err << EscapeControlCharacters(text) << EscapeControlCharacters(reason) << '\n';
  // Only the output side: a missing input port is not what the hint is about.
  if (text.starts_with("TMidiOutput: Device index out of bounds!") && NoOutputPortAtAll()) {
    err << kNoPortHint << '\n';
  }
}

}  // namespace velmora

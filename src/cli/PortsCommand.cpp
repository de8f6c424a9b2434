#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string_view>

#include "cli/Commands.h"
#include "cli/DeviceErrorText.h"
#include "cli/PortWatch.h"
#include "cli/StopSignals.h"
#include "midi/Midi.h"

namespace velmora {
namespace {

// An empty list from the system's sequencer looks like a system without devices; when the
// sequencer itself is missing, the user needs to know how to get one.
void HintAtMissingSequencer(std::ostream& err) {
#ifdef VELMORA_HAVE_ALSA
  const char* choice = std::getenv("VELMORA_MIDI");
  const std::string_view backend = choice ? choice : "";
  std::error_code ignored;
  if ((backend.empty() || backend == "alsa") && !std::filesystem::exists("/dev/snd/seq", ignored)) {
    err << "velmora-cli: no ALSA sequencer here (no /dev/snd/seq). 'sudo modprobe snd-seq' "
           "loads it; VELMORA_MIDI=jack or VELMORA_MIDI=virtual choose another backend.\n";
  }
#else
  (void)err;
#endif
}

}  // namespace

int RunPortsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const bool watch = args.size() == 1 && args[0] == "--watch";
  if (!args.empty() && !watch) {
    err << "usage: velmora-cli ports [--watch]\n";
    return 2;
  }
  try {
    HintAtMissingSequencer(err);
    if (!watch) {
      PrintPortList(out, GetMidiOutput().DeviceNames(), GetMidiInput().DeviceNames());
      return 0;
    }
    const StopSignals signals;
    // An output that failed is reported once, with its reason, as the run ends.
    return WatchPortList(out, [] { return !StopRequested(); }) || StopRequested() ? 0 : 1;
  } catch (const std::exception& error) {
    // A stop that interrupted the start (a replay FIFO nobody writes) ends the run as a
    // stop does.
    if (watch && StopSignalled()) {
      return 0;
    }
    PrintCommandError(err, error);
    return 1;
  }
}

}  // namespace velmora

#include <exception>

#include "cli/Commands.h"
#include "cli/DeviceErrorText.h"
#include "cli/PortWatch.h"
#include "cli/StopSignals.h"
#include "midi/Midi.h"

namespace velmora {

int RunPortsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const bool watch = args.size() == 1 && args[0] == "--watch";
  if (!args.empty() && !watch) {
    err << "usage: velmora-cli ports [--watch]\n";
    return 2;
  }
  try {
    if (!watch) {
      PrintPortList(out, GetMidiOutput().DeviceNames(), GetMidiInput().DeviceNames());
      return 0;
    }
    const StopSignals signals;
    if (!WatchPortList(out, [] { return !StopRequested(); })) {
      err << "velmora-cli: the port list could not be written.\n";
      return 1;
    }
  } catch (const std::exception& error) {
    PrintCommandError(err, error);
    return 1;
  }
  return 0;
}

}  // namespace velmora

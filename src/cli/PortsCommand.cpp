#include <exception>

#include "cli/Commands.h"
#include "cli/DeviceErrorText.h"
#include "midi/Midi.h"

namespace velmora {

int RunPortsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (!args.empty()) {
    err << "usage: velmora-cli ports\n";
    return 2;
  }
  try {
    const std::vector<std::string> outputs = GetMidiOutput().DeviceNames();
    const std::vector<std::string> inputs = GetMidiInput().DeviceNames();
    for (std::size_t i = 0; i < outputs.size(); ++i) {
      out << "out " << i << ": " << outputs[i] << '\n';
    }
    for (std::size_t i = 0; i < inputs.size(); ++i) {
      out << "in " << i << ": " << inputs[i] << '\n';
    }
  } catch (const std::exception& error) {
    PrintCommandError(err, error);
    return 1;
  }
  return 0;
}

}  // namespace velmora

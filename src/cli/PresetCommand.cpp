#include "cli/Commands.h"

namespace velmora {

// Placeholder until the preset command lands.
int RunPresetCommand(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
  err << "usage: velmora-cli preset [--port N] GROUP KEY\n";
  return 2;
}

}  // namespace velmora

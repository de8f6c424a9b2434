#include "cli/Commands.h"

namespace velmora {

// Placeholder until the monitor command lands.
int RunMonitorCommand(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
  err << "usage: velmora-cli monitor [--in N]... [--thru M]... [--seconds S]\n";
  return 2;
}

}  // namespace velmora

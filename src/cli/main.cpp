// velmora-cli: the editor's core without a window.

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/LibraryCommand.h"
#include "midi/Midi.h"

namespace {

using Command = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);

struct NamedCommand {
  const char* name;
  Command run;
};

constexpr NamedCommand kCommands[] = {
    {"ports", velmora::RunPortsCommand},     {"send", velmora::RunSendCommand},
    {"load", velmora::RunLoadCommand},       {"preset", velmora::RunPresetCommand},
    {"monitor", velmora::RunMonitorCommand}, {"library", velmora::RunLibraryCommand},
};

constexpr const char* kUsage =
    "usage: velmora-cli ports [--watch] | send [--port N] TEXT... | load [--port N] [--sync] "
    "[--save FILE] "
    "PRESET... | preset [--port N] GROUP KEY | monitor [--in N]... [--thru M]... "
    "[--seconds S] | library [--dir D] [--json] [WORDS...]";

// Pushes out what the command printed. Output that could not be written (a full disk) is
// an error of the run: a script reading it would take a partial port list for a whole one.
bool FlushStandardOutput() {
  errno = 0;
  std::cout.flush();
  const int reason = errno;
  if (std::cout) {
    return true;
  }
  std::cerr << "velmora-cli: the output could not be written"
            << (reason != 0 ? std::string(": ") + std::strerror(reason) : std::string()) << ".\n";
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << kUsage << '\n';
    return 2;
  }
  int status = 2;
  bool known = false;
  for (const NamedCommand& command : kCommands) {
    if (std::strcmp(argv[1], command.name) == 0) {
      known = true;
      status = command.run(std::vector<std::string>(argv + 2, argv + argc), std::cout, std::cerr);
    }
  }
  if (!known) {
    std::cerr << kUsage << '\n';
  }
  if (!FlushStandardOutput() && status == 0) {
    status = 1;
  }
  velmora::ReleaseMidiDevices();
  return status;
}

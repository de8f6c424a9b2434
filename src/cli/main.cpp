// velmora-cli: the editor's core without a window.

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/LibraryCommand.h"
#include "cli/OutputFlush.h"
#include "cli/StopSignals.h"
#include "midi/Midi.h"
#include "surface/shell/StartOptions.h"

#ifndef _WIN32
#include <fcntl.h>
#include <stdio_ext.h>
#include <unistd.h>
#endif

namespace {

using Command = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);

struct NamedCommand {
  const char* name;
  Command run;
};

constexpr NamedCommand kCommands[] = {
    {"ports", velmora::RunPortsCommand},     {"send", velmora::RunSendCommand},
    {"load", velmora::RunLoadCommand},       {"preset", velmora::RunPresetCommand},
    {"monitor", velmora::RunMonitorCommand}, {"rig", velmora::RunRigCommand},
    {"library", velmora::RunLibraryCommand}, {"live", velmora::RunLiveCommand},
};

constexpr const char* kUsage =
    "usage: velmora-cli ports [--watch] | send [--port N] TEXT... | load [--port N] [--sync] "
    "[--save FILE] "
    "PRESET... | preset [--port N] GROUP KEY | monitor [--in N]... [--thru M]... "
    "[--seconds S] | rig [--json] [--in N]... [--seconds S] | rig [--json] --from FILE | "
    "rig [--json] [--seconds S] --create [NAME] | "
    "library [--dir D] [--json] [WORDS...] | "
    "live SETLIST [--port N] [--in M]... [--next HEX] [--previous HEX]";

#ifndef _WIN32
// A descriptor 0, 1 or 2 left closed by the caller would be the number the next open file
// gets: the capture file would then receive the port list or an error. /dev/null takes the
// place, opened for reading only, so a write to a closed stdout still fails as it did.
void FillClosedStandardDescriptors() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
      const int null = open("/dev/null", O_RDONLY);
      if (null != fd && null != -1) {
        dup2(null, fd);
        close(null);
      }
    }
  }
}
#endif

// Pushes out what the command printed. Output that could not be written (a full disk) is
// an error of the run: a script reading it would take a partial port list for a whole one.
// A run that a signal ended while its reader had stopped reading drops the rest: writing it
// would block for ever.
bool FlushStandardOutput() {
  if (!std::cout && velmora::StopRequested()) {
#ifndef _WIN32
    __fpurge(stdout);
#endif
    std::cout.clear();
    return true;
  }
  errno = 0;
  const bool written = velmora::FlushOutput(std::cout);
  const int reason = errno != 0 ? errno : velmora::OutputFailureReason();
  if (written) {
    return true;
  }
  std::cerr << "velmora-cli: the output could not be written"
            << (reason != 0 ? std::string(": ") + std::strerror(reason) : std::string()) << ".\n";
  return false;
}

}  // namespace

int main(int argc, char** argv) {
#ifndef _WIN32
  FillClosedStandardDescriptors();
#endif
  if (argc < 2) {
    std::cerr << kUsage << '\n';
    return 2;
  }
  // Asked for, the usage goes to the output and is no error.
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::cout << velmora::VersionText() << '\n';
    return FlushStandardOutput() ? 0 : 1;
  }
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::cout << kUsage << '\n';
    return FlushStandardOutput() ? 0 : 1;
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

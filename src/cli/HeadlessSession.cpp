#include "cli/HeadlessSession.h"

#include <cstdlib>

#include "midi/Midi.h"
#include "profile/ProgramFolder.h"

namespace velmora {

HeadlessSession::HeadlessSession(std::ostream& messages)
    : form_(MakeStartupForm()),
      view_(messages),
      context_{form_, view_,
               ResolveProgramFolders(ExecutableFolder(), std::getenv("XDG_CONFIG_HOME"),
                                     std::getenv("HOME"))} {}

void HeadlessSession::OpenOutputPort(int port) {
  TMidiOutput& output = GetMidiOutput();
  form_.cbOutputDevices.items = output.DeviceNames();
  output.OpenDevice(port);
  form_.cbOutputDevices.itemIndex = port;
}

}  // namespace velmora

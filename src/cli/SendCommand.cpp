#include <charconv>
#include <exception>

#include "cli/Commands.h"
#include "midi/Midi.h"

namespace velmora {
namespace {

constexpr const char* kSendUsage = "usage: velmora-cli send [--port N] TEXT...";

bool ParsePort(const std::string& text, int& port) {
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, port);
  return !text.empty() && error == std::errc() && stop == end;
}

}  // namespace

// Sends each TEXT as the editor does: followed by the " 00" pad pair, one buffer each, to
// an output port opened as picking it in the window's port list would.
int RunSendCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
  int port = 0;
  std::size_t first = 0;
  if (!args.empty() && args[0] == "--port") {
    if (args.size() < 2 || !ParsePort(args[1], port)) {
      err << kSendUsage << '\n';
      return 2;
    }
    first = 2;
  }
  if (first >= args.size()) {
    err << kSendUsage << '\n';
    return 2;
  }
  try {
    TMidiOutput& output = GetMidiOutput();
    output.OpenDevice(port);
    for (std::size_t i = first; i < args.size(); ++i) {
      output.SendText(port, args[i] + " 00");
    }
  } catch (const std::exception& error) {
    err << error.what() << '\n';
    return 1;
  }
  return 0;
}

}  // namespace velmora

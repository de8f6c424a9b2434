#include <array>
#include <exception>
#include <string_view>

#include "cli/CommandWords.h"
#include "cli/Commands.h"
#include "cli/DeviceErrorText.h"
#include "midi/Midi.h"

namespace velmora {
namespace {

constexpr const char* kSendUsage = "usage: velmora-cli send [--port N] TEXT...";

constexpr std::array kSendOptions = {OptionRule{"--port", OptionValue::kNumber}};

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Text that the conversion reads as written: the window's conversion turns any other
// character into a 0 digit and drops a lone last digit, so "B0 0G 31" would reach the rig
// as B0 00 31 and "B0 0C 3" as B0 0C.
bool IsMessageText(std::string_view text) {
  std::size_t digits = 0;
  for (char c : text) {
    if (IsHexDigit(c)) {
      ++digits;
    } else if (c != ' ') {
      return false;
    }
  }
  return digits % 2 == 0;
}

}  // namespace

// Sends each TEXT as the editor does: followed by the " 00" pad pair, one buffer each, to
// an output port opened as picking it in the window's port list would. Every text is
// checked before the first one is sent.
int RunSendCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
  const std::optional<CommandWords> words = ReadCommandWords(args, kSendOptions);
  if (!words || words->operands.empty()) {
    err << kSendUsage << '\n';
    return 2;
  }
  for (const std::string& text : words->operands) {
    if (!IsMessageText(text)) {
      err << "velmora-cli send: \"" << text
          << "\" is not message text: pairs of hexadecimal digits and blanks only.\n"
          << kSendUsage << '\n';
      return 2;
    }
  }
  const GivenOption* portOption = words->Find("--port");
  const int port = portOption ? portOption->number : 0;
  try {
    TMidiOutput& output = GetMidiOutput();
    output.OpenDevice(port);
    for (const std::string& text : words->operands) {
      output.SendText(port, text + " 00");
    }
  } catch (const std::exception& error) {
    PrintCommandError(err, error);
    return 1;
  }
  return 0;
}

}  // namespace velmora

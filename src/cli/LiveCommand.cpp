#include <array>
#include <chrono>
#include <exception>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/CommandWords.h"
#include "cli/Commands.h"
#include "cli/DeviceErrorText.h"
#include "cli/HeadlessSession.h"
#include "cli/OutputFlush.h"
#include "cli/PresetFileRead.h"
#include "cli/StopSignals.h"
#include "cli/TerminalKeys.h"
#include "live/Footswitch.h"
#include "live/LiveSteps.h"
#include "live/SetlistFile.h"
#include "midi/Midi.h"
#include "midi/PrintableText.h"
#include "profile/AtomicFile.h"

namespace velmora {
namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kLiveUsage =
    "usage: velmora-cli live SETLIST [--port N] [--in M]... [--next HEX] [--previous HEX]";

constexpr std::array kLiveOptions = {
    OptionRule{"--port", OptionValue::kNumber}, OptionRule{"--in", OptionValue::kNumber, true},
    OptionRule{"--next", OptionValue::kText}, OptionRule{"--previous", OptionValue::kText}};

struct LiveOptions {
  std::string setlist;
  int port = 0;
  std::vector<int> inputs;
  FootswitchBindings footswitch;
};

// The usage puts the setlist first; the words are read with the options first.
std::vector<std::string> OptionsFirst(std::vector<std::string> args) {
  if (!args.empty() && !args.front().starts_with("-")) {
    args.push_back(args.front());
    args.erase(args.begin());
  }
  return args;
}

std::optional<FootswitchBinding> BindingOf(const CommandWords& words, std::string_view option) {
  const GivenOption* given = words.Find(option);
  if (given == nullptr) {
    return std::nullopt;
  }
  try {
    return FootswitchBinding{{}, ReadFootswitchMessage(given->text)};
  } catch (const std::invalid_argument& error) {
    throw std::invalid_argument(std::string(option) + ": " + error.what());
  }
}

// Throws std::invalid_argument naming what is wrong; nothing when only the usage fits.
std::optional<LiveOptions> ReadOptions(const std::vector<std::string>& args) {
  const std::optional<CommandWords> words = ReadCommandWords(OptionsFirst(args), kLiveOptions);
  if (!words || words->operands.size() != 1) {
    return std::nullopt;
  }
  LiveOptions options;
  options.setlist = words->operands.front();
  for (const GivenOption& given : words->options) {
    if (given.name == "--in") {
      options.inputs.push_back(given.number);
    } else if (given.name == "--port") {
      options.port = given.number;
    }
  }
  options.footswitch = {BindingOf(*words, "--next"), BindingOf(*words, "--previous")};
  if ((options.footswitch.next || options.footswitch.previous) && options.inputs.empty()) {
    throw std::invalid_argument(
        "--next and --previous listen on the input ports given with "
        "--in M; none was given");
  }
  return options;
}

// Footswitch messages reach the steps from the notification thread while the inputs are
// open; the handler goes before the objects it calls.
class FootswitchInputs {
 public:
  FootswitchInputs(Footswitch& footswitch, LiveSteps& steps) : input_(GetMidiInput()) {
    const std::vector<std::string> names = input_.DeviceNames();
    input_.SetOnShortReceived([&footswitch, &steps, names](int device, std::uint8_t status,
                                                           std::uint8_t data1, std::uint8_t data2) {
      const std::string_view port =
          device >= 0 && device < static_cast<int>(names.size()) ? names[device] : "";
      if (const std::optional<StepAction> action = footswitch.Receive(port, status, data1, data2)) {
        steps.Ask({*action, 0});
      }
    });
  }
  ~FootswitchInputs() {
    for (int port : opened_) {
      try {
        input_.CloseDevice(port);
      } catch (const std::exception&) {
        // The run is ending; the port is dropped with the device objects.
      }
    }
    input_.SetOnShortReceived({});
  }
  FootswitchInputs(const FootswitchInputs&) = delete;
  FootswitchInputs& operator=(const FootswitchInputs&) = delete;

  void Open(int port) {
    input_.OpenDevice(port);
    opened_.push_back(port);
  }

 private:
  TMidiInput& input_;
  std::vector<int> opened_;
};

// Prints what the steps noticed; false when the output failed.
bool PrintNotices(LiveSteps& steps, std::ostream& out) {
  for (const std::string& notice : NoticeTexts(steps.TakeNotices(), true)) {
    out << EscapeControlCharacters(notice) << '\n';
  }
  return FlushOutput(out) || StopRequested();
}

int RunLive(const LiveOptions& options, std::ostream& out, std::ostream& err) {
  const std::filesystem::path file = PathOf(options.setlist);
  const Setlist setlist = ReadSetlistFile(file);
  if (setlist.Count() == 0) {
    throw SetlistError("The setlist " + FullPathText(file) + " holds no item");
  }
  // Line by line: the names are escaped, the warning's own line breaks are not.
  std::istringstream warning(MissingFilesWarning(setlist, file));
  for (std::string line; std::getline(warning, line);) {
    err << EscapeControlCharacters(line) << '\n';
  }
  StopSignals signals;
  HeadlessSession session(err);
  session.OpenOutputPort(options.port);
  LiveSteps steps(setlist);
  Doorbell doorbell;
  steps.SetWake([&doorbell] { doorbell.Ring(); });
  Footswitch footswitch(options.footswitch);
  FootswitchInputs inputs(footswitch, steps);
  for (int port : options.inputs) {
    inputs.Open(port);
  }
  const TerminalKeys keys([&steps](StepRequest step) { steps.Ask(step); });
  // A stage box that powers up puts the rig on the first song.
  steps.Ask({StepAction::kItem, 1});
  while (!StopRequested()) {
    steps.RunPending(session.Context());
    if (!PrintNotices(steps, out)) {
      return 1;
    }
    doorbell.WaitUntil(Clock::now() + kSignalCheck);
  }
  return PrintNotices(steps, out) ? 0 : 1;
}

}  // namespace

// The headless stage box: steps a setlist by terminal keys and footswitch messages, as the
// live view does, until Ctrl-C or SIGTERM.
int RunLiveCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::optional<LiveOptions> options;
  try {
    options = ReadOptions(args);
  } catch (const std::invalid_argument& error) {
    err << "velmora-cli live: " << EscapeControlCharacters(error.what()) << '\n';
    return 2;
  }
  if (!options) {
    err << kLiveUsage << '\n';
    return 2;
  }
  try {
    return RunLive(*options, out, err);
  } catch (const std::exception& error) {
    PrintCommandError(err, error);
    return 1;
  }
}

}  // namespace velmora

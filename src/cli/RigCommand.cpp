#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <exception>
#include <optional>

#include "cli/CommandWords.h"
#include "cli/Commands.h"
#include "cli/DeviceErrorText.h"
#include "cli/RigCaptureFile.h"
#include "cli/RigJson.h"
#include "cli/StopSignals.h"
#include "midi/Midi.h"
#include "midi/MidiMessageSplitter.h"
#include "midi/OwnInputPort.h"
#include "rig/Rig.h"

namespace velmora {
namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kRigUsage =
    "usage: velmora-cli rig [--json] [--in N]... [--seconds S] | rig [--json] --from FILE | "
    "rig [--json] [--seconds S] --create [NAME]";

constexpr const char* kDefaultRigName = "Velmora Rig";

constexpr std::array kRigOptions = {
    OptionRule{"--in", OptionValue::kNumber, true}, OptionRule{"--seconds", OptionValue::kNumber},
    OptionRule{"--from", OptionValue::kText},       OptionRule{"--json", OptionValue::kNone},
    OptionRule{"--create", OptionValue::kNone},
};

struct RigOptions {
  std::vector<int> inputs;
  std::optional<int> seconds;
  std::optional<std::string> from;
  std::optional<std::string> create;  // the device's name
  bool json = false;
};

// One source of bytes per run: input ports, a file, or a device of our own.
std::optional<RigOptions> ReadOptions(const std::vector<std::string>& args) {
  const std::optional<CommandWords> words = ReadCommandWords(args, kRigOptions);
  if (!words) {
    return std::nullopt;
  }
  RigOptions options;
  for (const GivenOption& given : words->options) {
    if ((given.name == "--in" || given.name == "--seconds") && given.number < 0) {
      return std::nullopt;
    }
    if (given.name == "--in") {
      options.inputs.push_back(given.number);
    } else if (given.name == "--seconds") {
      options.seconds = given.number;
    } else if (given.name == "--from") {
      options.from = given.text;
    } else if (given.name == "--json") {
      options.json = true;
    } else {
      options.create = kDefaultRigName;
    }
  }
  if (options.create) {
    if (words->operands.size() > 1 || !options.inputs.empty() || options.from) {
      return std::nullopt;
    }
    if (!words->operands.empty()) {
      options.create = words->operands.front();
    }
  } else if (!words->operands.empty() ||
             (options.from && (!options.inputs.empty() || options.seconds))) {
    return std::nullopt;
  }
  if (!options.from && !options.create && options.inputs.empty()) {
    options.inputs.push_back(0);
  }
  return options;
}

// Change lines as they happen, flushed, then the whole state; with --json the one object
// alone, so that what a script reads is JSON and nothing else.
class RigPrinter {
 public:
  RigPrinter(std::ostream& out, bool json)
      : out_(out), json_(json), rig_([this](const std::string& line) { PrintChange(line); }) {}

  Rig& Simulator() { return rig_; }

  bool PrintState() {
    const RigState state = rig_.State();
    if (json_) {
      out_ << RigStateJson(state) << '\n';
    } else {
      out_ << '\n';
      for (const std::string& line : RigStateLines(state)) {
        out_ << line << '\n';
      }
    }
    out_.flush();
    return static_cast<bool>(out_);
  }

 private:
  void PrintChange(const std::string& line) {
    if (!json_) {
      out_ << line << '\n';
      out_.flush();
    }
  }

  std::ostream& out_;
  const bool json_;
  Rig rig_;
};

void WaitForTheEnd(std::optional<int> seconds) {
  const Clock::time_point end =
      seconds ? Clock::now() + std::chrono::seconds(*seconds) : Clock::time_point::max();
  Doorbell never;
  while (!StopRequested() && Clock::now() < end) {
    never.WaitUntil(std::min(end, Clock::now() + kSignalCheck));
  }
}

int RunFromFile(const RigOptions& options, RigPrinter& printer, std::ostream& err) {
  std::vector<std::vector<std::uint8_t>> buffers;
  try {
    buffers = ReadCapturedBuffers(*options.from);
  } catch (const std::exception& error) {
    err << error.what() << '\n';
    return 1;
  }
  for (const auto& buffer : buffers) {
    printer.Simulator().Feed(buffer);
  }
  return printer.PrintState() ? 0 : 1;
}

// The input ports' messages, as the device layer hands them over, go to the rig as bytes.
int RunOnInputs(const RigOptions& options, RigPrinter& printer, std::ostream& err) {
  StopSignals signals;
  Rig& rig = printer.Simulator();
  bool failed = false;
  TMidiInput* input = nullptr;
  std::vector<int> opened;
  try {
    input = &GetMidiInput();
    input->SetOnShortReceived(
        [&rig](int, std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
          const std::uint8_t bytes[3] = {status, data1, data2};
          rig.Feed(std::span(bytes, std::max<std::size_t>(1, MidiMessageLength(status))));
        });
    input->SetOnSysExReceived(
        [&rig](int, ByteStream& stream) { rig.Feed(std::span(stream.Data(), stream.Size())); });
    for (int port : options.inputs) {
      input->OpenDevice(port);
      opened.push_back(port);
    }
    WaitForTheEnd(options.seconds);
  } catch (const std::exception& error) {
    PrintCommandError(err, error);
    failed = true;
  }
  for (int port : opened) {
    try {
      input->CloseDevice(port);
    } catch (const std::exception& error) {
      PrintCommandError(err, error);
      failed = true;
    }
  }
  if (input != nullptr) {
    input->SetOnShortReceived({});
    input->SetOnSysExReceived({});
    for (std::string text; input->TakeNotificationError(text);) {
      err << text << '\n';
      failed = true;
    }
  }
  return printer.PrintState() && !failed ? 0 : 1;
}

int RunAsDevice(const RigOptions& options, RigPrinter& printer, std::ostream& err) {
  StopSignals signals;
  Rig& rig = printer.Simulator();
  try {
    const char* choice = std::getenv("VELMORA_MIDI");
    const auto port =
        CreateOwnInputPort(choice ? choice : "", *options.create,
                           [&rig](std::span<const std::uint8_t> bytes) { rig.Feed(bytes); });
    WaitForTheEnd(options.seconds);
  } catch (const std::exception& error) {
    err << error.what() << '\n';
    return 1;
  }
  return printer.PrintState() ? 0 : 1;
}

}  // namespace

// The simulated rig: reads MIDI from input ports, a capture file or a device of its own,
// prints each change of the rig's state as it happens and the whole state at the end.
int RunRigCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<RigOptions> options = ReadOptions(args);
  if (!options) {
    err << kRigUsage << '\n';
    return 2;
  }
  RigPrinter printer(out, options->json);
  if (options->from) {
    return RunFromFile(*options, printer, err);
  }
  if (options->create) {
    return RunAsDevice(*options, printer, err);
  }
  return RunOnInputs(*options, printer, err);
}

}  // namespace velmora

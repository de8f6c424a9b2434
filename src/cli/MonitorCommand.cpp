#include <algorithm>
#include <array>
#include <chrono>
#include <exception>
#include <optional>

#include "cli/CommandWords.h"
#include "cli/Commands.h"
#include "cli/DeviceErrorText.h"
#include "cli/HeadlessView.h"
#include "cli/OutputFlush.h"
#include "cli/StopSignals.h"
#include "midi/DeviceSlots.h"
#include "surface/shell/Monitor.h"

namespace velmora {
namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kMonitorUsage =
    "usage: velmora-cli monitor [--in N]... [--thru M]... [--seconds S]";

constexpr std::array kMonitorOptions = {
    OptionRule{"--in", OptionValue::kNumber, true},
    OptionRule{"--thru", OptionValue::kNumber, true},
    OptionRule{"--seconds", OptionValue::kNumber},
};

struct MonitorOptions {
  std::vector<int> inputs;
  std::vector<int> thruPorts;
  std::optional<int> seconds;
};

std::optional<MonitorOptions> ReadOptions(const std::vector<std::string>& args) {
  const std::optional<CommandWords> words = ReadCommandWords(args, kMonitorOptions);
  if (!words || !words->operands.empty()) {
    return std::nullopt;
  }
  MonitorOptions options;
  for (const GivenOption& given : words->options) {
    if (given.number < 0) {
      return std::nullopt;
    }
    if (given.name == "--in") {
      options.inputs.push_back(given.number);
    } else if (given.name == "--thru") {
      options.thruPorts.push_back(given.number);
    } else {
      options.seconds = given.number;
    }
  }
  return options;
}

// Checks the item as the user would, or raises the device layer's out-of-bounds error for
// a port the list does not have.
void CheckItem(CheckListBox& list, int index, TMidiDevices& devices) {
  if (index >= static_cast<int>(list.items.size())) {
    devices.OpenDevice(index);
  }
  list.checked[static_cast<std::size_t>(index)] = true;
  list.itemIndex = index;
}

class MonitorRun {
 public:
  MonitorRun(std::ostream& out, std::ostream& err)
      : out_(out), err_(err), view_(err), context_{form_, view_, ProgramFolders{}} {
    hub_.SetWake([this] { doorbell_.Ring(); });
  }

  // Thru ports first, so that nothing arriving on a fresh input misses its thru.
  void Open(const MonitorOptions& options) {
    MonitorFormCreate(form_, hub_);
    for (int port : options.thruPorts) {
      CheckItem(form_.lbxOutputDevices, port, GetMidiOutput());
      ApplyThruCheck(form_, hub_);
    }
    for (int port : options.inputs) {
      CheckItem(form_.lbxInputDevices, port, GetMidiInput());
      lbxInputDevicesClickCheck(context_);
    }
  }

  // Prints until the time is up or a signal came; false when the output failed.
  bool Listen(std::optional<int> seconds) {
    const Clock::time_point end =
        seconds ? Clock::now() + std::chrono::seconds(*seconds) : Clock::time_point::max();
    while (!StopRequested() && Clock::now() < end) {
      doorbell_.WaitUntil(std::min(end, Clock::now() + kSignalCheck));
      if (!Print()) {
        return false;
      }
    }
    return true;
  }

  // Closes the inputs opened, unbinds, and prints what arrived until then.
  bool Close() {
    TMidiInput* input = PeekMidiInput();
    for (std::size_t port = 0; input != nullptr && port < form_.lbxInputDevices.checked.size();
         ++port) {
      if (form_.lbxInputDevices.checked[port]) {
        Report([&] { input->CloseDevice(static_cast<int>(port)); });
      }
    }
    MonitorFormDestroy(hub_);
    return Print();
  }

  bool Failed() const { return failed_; }

  // Which stops make an error quiet: one that comes once they came is their interruption of
  // a blocked call (a replay FIFO nobody writes), and the run then ends as they end it.
  enum class Quiet { kNever, kOnSignal, kOnSignalOrTime };

  template <typename Action>
  void Report(Action&& action, Quiet quiet = Quiet::kNever) {
    try {
      action();
    } catch (const std::exception& error) {
      if ((quiet == Quiet::kOnSignal && StopSignalled()) ||
          (quiet == Quiet::kOnSignalOrTime && StopRequested())) {
        return;
      }
      PrintCommandError(err_, error);
      failed_ = true;
    }
  }

 private:
  // Each event as the log reads from the top once it is in: the received line, then its
  // thru lines by ascending port. An error goes on after its text; the status tells of it.
  bool Print() {
    for (const MonitorEvent& event : hub_.TakeEvents()) {
      for (auto line = event.lines.rbegin(); line != event.lines.rend(); ++line) {
        out_ << *line << '\n';
      }
      for (const std::string& error : event.errors) {
        PrintCommandError(err_, MidiError(error));
        failed_ = true;
      }
    }
    if (TMidiInput* input = PeekMidiInput()) {
      for (std::string text; input->TakeNotificationError(text);) {
        PrintCommandError(err_, MidiError(text));
        failed_ = true;
      }
    }
    // Output that a stop interrupted (nobody reads the pipe) is dropped: the run is ending.
    return FlushOutput(out_) || StopRequested();
  }

  std::ostream& out_;
  std::ostream& err_;
  FormModel form_;
  HeadlessView view_;
  EditingContext context_;
  // Before the hub: the hub unbinds as it goes, and a notification in flight may still ring.
  Doorbell doorbell_;
  MonitorHub hub_;
  bool failed_ = false;
};

}  // namespace

// Listens as the window's monitor panel does: forwards what the inputs receive to the thru
// ports and prints the log lines. A device error while listening is printed and the run
// goes on; the exit status then says it happened. An output that cannot be written ends
// the run (the caller reports it).
int RunMonitorCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<MonitorOptions> options = ReadOptions(args);
  if (!options) {
    err << kMonitorUsage << '\n';
    return 2;
  }
  StopSignals signals;
  // The time limit holds while the opening is blocked too (a replay FIFO nobody writes), and
  // its end there is a timed end like any other; the listening then has its full time. With
  // no time at all (--seconds 0) the limit is up before the opening starts, which then tells
  // every error it meets.
  auto limit = [&] {
    if (options->seconds) {
      signals.StopAt(Clock::now() + std::chrono::seconds(*options->seconds));
    }
  };
  limit();
  MonitorRun run(out, err);
  bool opened = false;
  run.Report(
      [&] {
        run.Open(*options);
        opened = true;
      },
      options->seconds == 0 ? MonitorRun::Quiet::kOnSignal : MonitorRun::Quiet::kOnSignalOrTime);
  limit();
  const bool listened = !opened || run.Listen(options->seconds);
  // Closed whatever happened, so no notification outlives the run.
  const bool closed = run.Close();
  return listened && closed && !run.Failed() ? 0 : 1;
}

}  // namespace velmora

#include "cli/PortWatch.h"

#include <map>
#include <utility>

#include "cli/OutputFlush.h"
#include "cli/StopSignals.h"
#include "midi/Midi.h"

namespace velmora {
namespace {

// Each port as (name, order among ports of that name), with its index.
std::map<std::pair<std::string, int>, std::size_t> Numbered(const std::vector<std::string>& names) {
  std::map<std::pair<std::string, int>, std::size_t> numbered;
  std::map<std::string, int> seen;
  for (std::size_t index = 0; index < names.size(); ++index) {
    numbered[{names[index], ++seen[names[index]]}] = index;
  }
  return numbered;
}

// Lines by index, for the reader's sake.
void AddLines(std::vector<std::string>& lines, const std::string& prefix,
              const std::map<std::pair<std::string, int>, std::size_t>& from,
              const std::map<std::pair<std::string, int>, std::size_t>& absentFrom) {
  std::map<std::size_t, std::string> byIndex;
  for (const auto& [port, index] : from) {
    if (!absentFrom.contains(port)) {
      byIndex[index] = port.first;
    }
  }
  for (const auto& [index, name] : byIndex) {
    lines.push_back(prefix + std::to_string(index) + ": " + name);
  }
}

// Releases the platform's watch however the run ends.
class PortWatchScope {
 public:
  explicit PortWatchScope(Doorbell& doorbell) {
    CurrentMidiPlatform().WatchPorts([&doorbell] { doorbell.Ring(); });
  }
  ~PortWatchScope() { CurrentMidiPlatform().WatchPorts({}); }
  PortWatchScope(const PortWatchScope&) = delete;
  PortWatchScope& operator=(const PortWatchScope&) = delete;
};

}  // namespace

void PrintPortList(std::ostream& out, const std::vector<std::string>& outputs,
                   const std::vector<std::string>& inputs) {
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    out << "out " << i << ": " << outputs[i] << '\n';
  }
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    out << "in " << i << ": " << inputs[i] << '\n';
  }
}

std::vector<std::string> PortChangeLines(const std::string& kind,
                                         const std::vector<std::string>& before,
                                         const std::vector<std::string>& after) {
  const auto old = Numbered(before);
  const auto now = Numbered(after);
  std::vector<std::string> lines;
  AddLines(lines, "- " + kind + " ", old, now);
  AddLines(lines, "+ " + kind + " ", now, old);
  return lines;
}

bool WatchPortList(std::ostream& out, const std::function<bool()>& keepGoing) {
  TMidiOutput& output = GetMidiOutput();
  TMidiInput& input = GetMidiInput();
  Doorbell doorbell;
  // Watching before listing: a change in between is printed, not missed.
  const PortWatchScope watching(doorbell);
  std::vector<std::string> outputs = output.DeviceNames();
  std::vector<std::string> inputs = input.DeviceNames();
  PrintPortList(out, outputs, inputs);
  FlushOutput(out);
  while (out && keepGoing()) {
    if (!doorbell.WaitUntil(std::chrono::steady_clock::now() + kSignalCheck)) {
      continue;
    }
    output.Rescan();
    input.Rescan();
    std::vector<std::string> lines = PortChangeLines("out", outputs, output.DeviceNames());
    for (std::string& line : PortChangeLines("in", inputs, input.DeviceNames())) {
      lines.push_back(std::move(line));
    }
    for (const std::string& line : lines) {
      out << line << '\n';
    }
    FlushOutput(out);
    outputs = output.DeviceNames();
    inputs = input.DeviceNames();
  }
  return static_cast<bool>(out);
}

}  // namespace velmora

// Scripted input: one replay run per started input port.

#include "midi/virtual/VirtualMidiPlatform.h"

namespace velmora {

int VirtualMidiPlatform::InputIndexOf(MidiHandle handle) {
  std::lock_guard lock(mutex_);
  const InputPort* port = InputOf(handle);
  return port == nullptr ? -1 : static_cast<int>(port - inputs_.data());
}

void VirtualMidiPlatform::StartReplay(MidiHandle handle) {
  const int index = InputIndexOf(handle);
  if (index < 0) {
    return;
  }
  const unsigned port = static_cast<unsigned>(index);
  std::vector<ReplayLine> lines;
  for (const ReplayLine& line : replay_) {
    if (line.port == port) {
      lines.push_back(line);
    }
  }
  if (lines.empty()) {
    return;
  }
  auto run = std::make_unique<ReplayRun>(std::move(lines), [this, port](const ReplayLine& line) {
    if (line.bytes.front() == 0xF0) {
      InjectLong(port, line.bytes);
    } else {
      InjectShort(port, line.bytes[0], line.bytes.size() > 1 ? line.bytes[1] : 0,
                  line.bytes.size() > 2 ? line.bytes[2] : 0);
    }
  });
  std::lock_guard lock(replayMutex_);
  replayRuns_[port] = std::move(run);
}

void VirtualMidiPlatform::StopReplay(MidiHandle handle) {
  const int index = InputIndexOf(handle);
  if (index < 0) {
    return;
  }
  std::unique_ptr<ReplayRun> run;
  {
    std::lock_guard lock(replayMutex_);
    run = std::move(replayRuns_[static_cast<std::size_t>(index)]);
  }
  if (run && run->OnItsThread()) {
    // A handler stopping its own port: the run cannot wait for itself, so it is only asked
    // to stop, and kept until the platform goes.
    run->Stop();
    std::lock_guard lock(replayMutex_);
    retiredRuns_.push_back(std::move(run));
  }
}

}  // namespace velmora

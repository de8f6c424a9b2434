// Ports that come and go, and the watcher told of it.

#include "midi/virtual/VirtualMidiPlatform.h"

#include <algorithm>

namespace velmora {

void VirtualMidiPlatform::WatchPorts(std::function<void()> changed) {
  std::lock_guard lock(watchMutex_);
  changed_ = std::move(changed);
}

void VirtualMidiPlatform::ReportChange() {
  std::function<void()> changed;
  {
    std::lock_guard lock(watchMutex_);
    changed = changed_;
  }
  if (changed) {
    changed();
  }
}

void VirtualMidiPlatform::InsertOutput(unsigned at, const std::string& name) {
  {
    std::lock_guard lock(mutex_);
    at = std::min<unsigned>(at, static_cast<unsigned>(outputs_.size()));
    outputs_.insert(outputs_.begin() + at, OutputPort{name});
  }
  ReportChange();
}

void VirtualMidiPlatform::InsertInput(unsigned at, const std::string& name) {
  {
    std::lock_guard delivery(deliveryMutex_);
    std::lock_guard lock(mutex_);
    at = std::min<unsigned>(at, static_cast<unsigned>(inputs_.size()));
    inputs_.insert(inputs_.begin() + at, InputPort{})->name = name;
  }
  {
    std::lock_guard replay(replayMutex_);
    replayRuns_.resize(replayRuns_.size() + 1);
  }
  ReportChange();
}

void VirtualMidiPlatform::RemoveOutput(unsigned at) {
  {
    std::lock_guard lock(mutex_);
    if (at >= outputs_.size()) {
      return;
    }
    outputs_.erase(outputs_.begin() + at);
  }
  ReportChange();
}

void VirtualMidiPlatform::RemoveInput(unsigned at) {
  MidiHandle handle = kNoHandle;
  {
    std::lock_guard lock(mutex_);
    if (at >= inputs_.size()) {
      return;
    }
    handle = inputs_[at].handle;
  }
  StopReplay(handle);
  {
    // No notification runs for the port while it goes; its queued buffers stay with the
    // device layer, which never sees them back, as with a device pulled out.
    std::lock_guard delivery(deliveryMutex_);
    std::lock_guard lock(mutex_);
    if (at < inputs_.size()) {
      inputs_.erase(inputs_.begin() + at);
    }
  }
  ReportChange();
}

}  // namespace velmora

#include <cstdio>

#include "midi/Midi.h"

namespace velmora {

TMidiDevices::TMidiDevices(MidiPlatform& platform, const char* className)
    : platform_(platform), className_(className) {}

TMidiDevices::~TMidiDevices() = default;

std::vector<std::string> TMidiDevices::DeviceNames() const {
  std::lock_guard lock(mutex_);
  return names_;
}

int TMidiDevices::DeviceCount() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(names_.size());
}

MidiResult TMidiDevices::LastResult() const {
  std::lock_guard lock(mutex_);
  return lastResult_;
}

void TMidiDevices::CheckResult(MidiResult result) {
  {
    std::lock_guard lock(mutex_);
    lastResult_ = result;
  }
  if (result == kMidiOk) {
    return;
  }
  std::string text;
  if (!platform_.ErrorText(result, text)) {
    // A refusal without a text is still a refusal: going on would report a failed step
    // as done.
    text = "The MIDI system refused the operation (code " + std::to_string(result) + ").";
  }
  throw MidiError(text);
}

MidiHandle TMidiDevices::HandleOf(int index) const {
  std::lock_guard lock(mutex_);
  if (index < 0 || index >= static_cast<int>(handles_.size())) {
    char text[96];
    std::snprintf(text, sizeof text, "%s: Device index out of bounds! (%d)", className_, index);
    throw MidiError(text);
  }
  return handles_[static_cast<std::size_t>(index)];
}

void TMidiDevices::SetHandle(int index, MidiHandle handle) {
  std::lock_guard lock(mutex_);
  handles_.at(static_cast<std::size_t>(index)) = handle;
}

void TMidiDevices::AddPort(std::string name) {
  std::lock_guard lock(mutex_);
  names_.push_back(std::move(name));
  handles_.push_back(kNoHandle);
}

}  // namespace velmora

#include <cstdio>

#include "midi/Midi.h"

namespace velmora {

TMidiDevices::TMidiDevices(MidiPlatform& platform, const char* className)
    : platform_(platform), className_(className) {}

TMidiDevices::~TMidiDevices() = default;

std::vector<std::string> TMidiDevices::DeviceNames() const {
  return names_;
}

int TMidiDevices::DeviceCount() const {
  return static_cast<int>(names_.size());
}

MidiResult TMidiDevices::LastResult() const {
  return lastResult_;
}

void TMidiDevices::CheckResult(MidiResult result) {
  lastResult_ = result;
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
  if (index < 0 || index >= static_cast<int>(handles_.size())) {
    char text[96];
    std::snprintf(text, sizeof text, "%s: Device index out of bounds! (%d)", className_, index);
    throw MidiError(text);
  }
  return handles_[static_cast<std::size_t>(index)];
}

void TMidiDevices::ListPorts(unsigned count,
                             MidiResult (MidiPlatform::*nameOf)(unsigned, std::string&)) {
  std::vector<std::string> names;
  for (unsigned id = 0; id < count; ++id) {
    std::string name;
    CheckResult((platform_.*nameOf)(id, name));
    names.push_back(name.substr(0, name.find('\0')));
  }
  handles_ = std::vector<std::atomic<MidiHandle>>(names.size());
  names_ = std::move(names);
}

void TMidiDevices::SetHandle(int index, MidiHandle handle) {
  handles_.at(static_cast<std::size_t>(index)) = handle;
}

}  // namespace velmora

#include "midi/virtual/VirtualMidiPlatform.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "midi/Midi.h"
#include "midi/ResultText.h"

namespace velmora {
namespace {

constexpr const char* kOperations[] = {
    "InputName",      "InputOpen",  "InputPrepare",    "InputAddBuffer",
    "InputUnprepare", "InputStart", "InputStop",       "InputReset",
    "InputClose",     "OutputName", "OutputOpen",      "OutputShort",
    "OutputPrepare",  "OutputLong", "OutputUnprepare", "OutputClose"};

bool IsOperation(const std::string& name) {
  for (const char* operation : kOperations) {
    if (name == operation) {
      return true;
    }
  }
  return false;
}

}  // namespace

VirtualMidiPlatform::VirtualMidiPlatform(unsigned outputs, unsigned inputs, std::string capturePath,
                                         const std::string& replayPath)
    : start_(std::chrono::steady_clock::now()),
      outputs_(outputs),
      inputs_(inputs),
      capturePath_(std::move(capturePath)),
      replayRuns_(inputs) {
  for (unsigned id = 0; id < outputs; ++id) {
    outputs_[id].name = "Virtual Out " + std::to_string(id + 1);
  }
  for (unsigned id = 0; id < inputs; ++id) {
    inputs_[id].name = "Virtual In " + std::to_string(id + 1);
  }
  if (!replayPath.empty()) {
    replay_ = ReadReplayFile(replayPath, inputs);
  }
  if (!capturePath_.empty()) {
    capture_ = std::fopen(capturePath_.c_str(), "a");
    if (capture_ == nullptr) {
      throw MidiError("Cannot open the MIDI capture file \"" + capturePath_ +
                      "\": " + std::strerror(errno) + ".");
    }
  }
}

VirtualMidiPlatform::~VirtualMidiPlatform() {
  std::vector<std::unique_ptr<ReplayRun>> runs;
  {
    std::lock_guard lock(replayMutex_);
    runs.swap(replayRuns_);
    for (auto& retired : retiredRuns_) {
      runs.push_back(std::move(retired));
    }
  }
  runs.clear();
  if (capture_ != nullptr) {
    std::fclose(capture_);
  }
}

void VirtualMidiPlatform::FailNext(const std::string& operation, MidiResult result) {
  if (!IsOperation(operation)) {
    throw std::invalid_argument("VirtualMidiPlatform has no operation named " + operation);
  }
  std::lock_guard lock(mutex_);
  failures_[operation] = result;
}

bool VirtualMidiPlatform::TakeFailure(const char* operation, MidiResult& result) {
  auto found = failures_.find(operation);
  if (found == failures_.end()) {
    return false;
  }
  result = found->second;
  failures_.erase(found);
  return true;
}

std::uintptr_t VirtualMidiPlatform::MillisecondsSinceStart() const {
  const auto elapsed = std::chrono::steady_clock::now() - start_;
  return static_cast<std::uintptr_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

VirtualMidiPlatform::InputPort* VirtualMidiPlatform::InputOf(MidiHandle handle) {
  if (handle == kNoHandle) {
    return nullptr;
  }
  for (InputPort& port : inputs_) {
    if (port.handle == handle) {
      return &port;
    }
  }
  return nullptr;
}

int VirtualMidiPlatform::OutputOf(MidiHandle handle) const {
  if (handle == kNoHandle) {
    return -1;
  }
  for (std::size_t port = 0; port < outputs_.size(); ++port) {
    if (outputs_[port].handle == handle) {
      return static_cast<int>(port);
    }
  }
  return -1;
}

bool VirtualMidiPlatform::ErrorText(MidiResult result, std::string& text) {
  if (result == kMidiCaptureWriteFailed) {
    std::lock_guard lock(mutex_);
    text = captureError_;
    return true;
  }
  return DescribeMidiResult(result, text);
}

}  // namespace velmora

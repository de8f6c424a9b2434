#include "midi/virtual/VirtualMidiPlatform.h"

#include <algorithm>
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

std::vector<SentBuffer> VirtualMidiPlatform::Sent() const {
  std::lock_guard lock(mutex_);
  return sent_;
}

void VirtualMidiPlatform::ClearSent() {
  std::lock_guard lock(mutex_);
  sent_.clear();
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

bool VirtualMidiPlatform::Record(unsigned port, bool isShort, const std::uint8_t* bytes,
                                 std::size_t count) {
  SentBuffer buffer;
  buffer.port = port;
  buffer.portName = outputs_[port].name;
  buffer.isShort = isShort;
  buffer.bytes.assign(bytes, bytes + count);
  buffer.at = std::chrono::steady_clock::now();
  if (capture_ != nullptr) {
    // "<ms since start> <port> <HEX>": a contract with the tools that read these files.
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(buffer.at - start_).count();
    std::string line = std::to_string(ms) + " " + std::to_string(port);
    char pair[4];
    for (std::size_t i = 0; i < count; ++i) {
      std::snprintf(pair, sizeof pair, " %.2X", bytes[i]);
      line += pair;
    }
    line += '\n';
    // A full disk must not pass for a send: the capture is this port's wire.
    if (std::fputs(line.c_str(), capture_) < 0 || std::fflush(capture_) != 0) {
      captureError_ = "Cannot write the MIDI capture file \"" + capturePath_ +
                      "\": " + std::strerror(errno) + ".";
      std::clearerr(capture_);
      return false;
    }
  }
  sent_.push_back(std::move(buffer));
  return true;
}

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

// --- Input -------------------------------------------------------------------------------

unsigned VirtualMidiPlatform::InputCount() {
  std::lock_guard lock(mutex_);
  return static_cast<unsigned>(inputs_.size());
}

MidiResult VirtualMidiPlatform::InputName(unsigned id, std::string& name) {
  std::lock_guard lock(mutex_);
  MidiResult failure;
  if (TakeFailure("InputName", failure)) {
    return failure;
  }
  if (id >= inputs_.size()) {
    return kMidiBadDeviceId;
  }
  name = inputs_[id].name;
  return kMidiOk;
}

MidiResult VirtualMidiPlatform::InputOpen(MidiHandle& handle, unsigned id, MidiInProc proc,
                                          std::uintptr_t instance) {
  std::lock_guard delivery(deliveryMutex_);
  Notification opened;
  {
    std::lock_guard lock(mutex_);
    MidiResult failure;
    if (TakeFailure("InputOpen", failure)) {
      return failure;
    }
    if (id >= inputs_.size()) {
      return kMidiBadDeviceId;
    }
    InputPort& port = inputs_[id];
    if (port.handle != kNoHandle) {
      return kMidiAllocated;
    }
    port.handle = nextHandle_++;
    port.proc = proc;
    port.instance = instance;
    port.started = false;
    handle = port.handle;
    opened = {proc, port.handle, instance};
  }
  if (opened.proc != nullptr) {
    opened.proc(opened.handle, kMimOpen, opened.instance, 0, 0);
  }
  return kMidiOk;
}

MidiResult VirtualMidiPlatform::InputPrepare(MidiHandle handle, MidiHeader& header) {
  std::lock_guard lock(mutex_);
  MidiResult failure;
  if (TakeFailure("InputPrepare", failure)) {
    return failure;
  }
  if (InputOf(handle) == nullptr) {
    return kMidiInvalidHandle;
  }
  if (header.data == nullptr || header.bufferLength == 0) {
    return kMidiInvalidParam;
  }
  header.flags |= kHeaderPrepared;
  return kMidiOk;
}

MidiResult VirtualMidiPlatform::InputAddBuffer(MidiHandle handle, MidiHeader& header) {
  std::lock_guard lock(mutex_);
  MidiResult failure;
  if (TakeFailure("InputAddBuffer", failure)) {
    return failure;
  }
  InputPort* port = InputOf(handle);
  if (port == nullptr) {
    return kMidiInvalidHandle;
  }
  if ((header.flags & kHeaderPrepared) == 0) {
    return kMidiUnprepared;
  }
  if ((header.flags & kHeaderInQueue) != 0) {
    return kMidiStillPlaying;
  }
  header.flags = (header.flags | kHeaderInQueue) & ~kHeaderDone;
  header.bytesRecorded = 0;
  port->queue.push_back(&header);
  return kMidiOk;
}

MidiResult VirtualMidiPlatform::InputUnprepare(MidiHandle handle, MidiHeader& header) {
  std::lock_guard lock(mutex_);
  MidiResult failure;
  if (TakeFailure("InputUnprepare", failure)) {
    return failure;
  }
  if (InputOf(handle) == nullptr) {
    return kMidiInvalidHandle;
  }
  if ((header.flags & kHeaderInQueue) != 0) {
    return kMidiStillPlaying;
  }
  header.flags &= ~kHeaderPrepared;
  return kMidiOk;
}

MidiResult VirtualMidiPlatform::InputStart(MidiHandle handle) {
  StopReplay(handle);
  {
    std::lock_guard delivery(deliveryMutex_);
    std::lock_guard lock(mutex_);
    MidiResult failure;
    if (TakeFailure("InputStart", failure)) {
      return failure;
    }
    InputPort* port = InputOf(handle);
    if (port == nullptr) {
      return kMidiInvalidHandle;
    }
    port->started = true;
  }
  StartReplay(handle);
  return kMidiOk;
}

MidiResult VirtualMidiPlatform::InputStop(MidiHandle handle) {
  StopReplay(handle);
  std::lock_guard delivery(deliveryMutex_);
  std::lock_guard lock(mutex_);
  MidiResult failure;
  if (TakeFailure("InputStop", failure)) {
    return failure;
  }
  InputPort* port = InputOf(handle);
  if (port == nullptr) {
    return kMidiInvalidHandle;
  }
  port->started = false;
  return kMidiOk;
}

MidiResult VirtualMidiPlatform::InputReset(MidiHandle handle) {
  StopReplay(handle);
  std::lock_guard delivery(deliveryMutex_);
  Notification returned;
  std::deque<MidiHeader*> queue;
  {
    std::lock_guard lock(mutex_);
    MidiResult failure;
    if (TakeFailure("InputReset", failure)) {
      return failure;
    }
    InputPort* port = InputOf(handle);
    if (port == nullptr) {
      return kMidiInvalidHandle;
    }
    port->started = false;
    queue.swap(port->queue);
    for (MidiHeader* header : queue) {
      header->bytesRecorded = 0;
      header->flags = (header->flags | kHeaderDone) & ~kHeaderInQueue;
    }
    returned = {port->proc, port->handle, port->instance};
  }
  // Every queued buffer comes back empty, as a device does on reset.
  if (returned.proc != nullptr) {
    for (MidiHeader* header : queue) {
      returned.proc(returned.handle, kMimLongData, returned.instance,
                    reinterpret_cast<std::uintptr_t>(header), MillisecondsSinceStart());
    }
  }
  return kMidiOk;
}

MidiResult VirtualMidiPlatform::InputClose(MidiHandle handle) {
  StopReplay(handle);
  std::lock_guard delivery(deliveryMutex_);
  Notification closed;
  {
    std::lock_guard lock(mutex_);
    MidiResult failure;
    if (TakeFailure("InputClose", failure)) {
      return failure;
    }
    InputPort* port = InputOf(handle);
    if (port == nullptr) {
      return kMidiInvalidHandle;
    }
    if (!port->queue.empty()) {
      return kMidiStillPlaying;
    }
    closed = {port->proc, port->handle, port->instance};
    std::string name = std::move(port->name);
    *port = InputPort{};
    port->name = std::move(name);
  }
  if (closed.proc != nullptr) {
    closed.proc(closed.handle, kMimClose, closed.instance, 0, 0);
  }
  return kMidiOk;
}

void VirtualMidiPlatform::InjectShort(unsigned port, std::uint8_t status, std::uint8_t data1,
                                      std::uint8_t data2) {
  std::lock_guard delivery(deliveryMutex_);
  Notification target;
  {
    std::lock_guard lock(mutex_);
    if (port >= inputs_.size() || !inputs_[port].started) {
      return;
    }
    const InputPort& input = inputs_[port];
    target = {input.proc, input.handle, input.instance};
  }
  if (target.proc != nullptr) {
    const std::uintptr_t packed = status | (data1 << 8) | (data2 << 16);
    target.proc(target.handle, kMimData, target.instance, packed, MillisecondsSinceStart());
  }
}

void VirtualMidiPlatform::InjectLong(unsigned port, std::span<const std::uint8_t> bytes) {
  std::lock_guard delivery(deliveryMutex_);
  // A message longer than a buffer arrives in pieces, one returned buffer each; the
  // notification must queue a buffer again for the next piece to have somewhere to go.
  std::size_t offset = 0;
  while (offset < bytes.size()) {
    Notification target;
    MidiHeader* header = nullptr;
    {
      std::lock_guard lock(mutex_);
      if (port >= inputs_.size() || !inputs_[port].started || inputs_[port].queue.empty()) {
        return;
      }
      InputPort& input = inputs_[port];
      header = input.queue.front();
      input.queue.pop_front();
      const std::size_t count = std::min<std::size_t>(header->bufferLength, bytes.size() - offset);
      std::memcpy(header->data, bytes.data() + offset, count);
      offset += count;
      header->bytesRecorded = static_cast<std::uint32_t>(count);
      header->flags = (header->flags | kHeaderDone) & ~kHeaderInQueue;
      target = {input.proc, input.handle, input.instance};
    }
    if (target.proc != nullptr) {
      target.proc(target.handle, kMimLongData, target.instance,
                  reinterpret_cast<std::uintptr_t>(header), MillisecondsSinceStart());
    }
  }
}

// --- Output ------------------------------------------------------------------------------

unsigned VirtualMidiPlatform::OutputCount() {
  std::lock_guard lock(mutex_);
  return static_cast<unsigned>(outputs_.size());
}

MidiResult VirtualMidiPlatform::OutputName(unsigned id, std::string& name) {
  std::lock_guard lock(mutex_);
  MidiResult failure;
  if (TakeFailure("OutputName", failure)) {
    return failure;
  }
  if (id >= outputs_.size()) {
    return kMidiBadDeviceId;
  }
  name = outputs_[id].name;
  return kMidiOk;
}

MidiResult VirtualMidiPlatform::OutputOpen(MidiHandle& handle, unsigned id) {
  std::lock_guard lock(mutex_);
  MidiResult failure;
  if (TakeFailure("OutputOpen", failure)) {
    return failure;
  }
  if (id >= outputs_.size()) {
    return kMidiBadDeviceId;
  }
  if (outputs_[id].handle != kNoHandle) {
    return kMidiAllocated;
  }
  outputs_[id].handle = nextHandle_++;
  handle = outputs_[id].handle;
  return kMidiOk;
}

MidiResult VirtualMidiPlatform::OutputShort(MidiHandle handle, std::uint32_t message) {
  std::lock_guard lock(mutex_);
  MidiResult failure;
  if (TakeFailure("OutputShort", failure)) {
    return failure;
  }
  const int port = OutputOf(handle);
  if (port < 0) {
    return kMidiInvalidHandle;
  }
  const std::uint8_t bytes[3] = {static_cast<std::uint8_t>(message & 0xFF),
                                 static_cast<std::uint8_t>((message >> 8) & 0xFF),
                                 static_cast<std::uint8_t>((message >> 16) & 0xFF)};
  if (!Record(static_cast<unsigned>(port), true, bytes, sizeof bytes)) {
    return kMidiCaptureWriteFailed;
  }
  return kMidiOk;
}

MidiResult VirtualMidiPlatform::OutputPrepare(MidiHandle handle, MidiHeader& header) {
  std::lock_guard lock(mutex_);
  MidiResult failure;
  if (TakeFailure("OutputPrepare", failure)) {
    return failure;
  }
  if (OutputOf(handle) < 0) {
    return kMidiInvalidHandle;
  }
  if (header.data == nullptr && header.bufferLength > 0) {
    return kMidiInvalidParam;
  }
  header.flags |= kHeaderPrepared;
  return kMidiOk;
}

// Sending is instant here, so the header is done and free again when this returns.
MidiResult VirtualMidiPlatform::OutputLong(MidiHandle handle, MidiHeader& header) {
  std::lock_guard lock(mutex_);
  MidiResult failure;
  if (TakeFailure("OutputLong", failure)) {
    return failure;
  }
  const int port = OutputOf(handle);
  if (port < 0) {
    return kMidiInvalidHandle;
  }
  if ((header.flags & kHeaderPrepared) == 0) {
    return kMidiUnprepared;
  }
  if (!Record(static_cast<unsigned>(port), false, header.data, header.bufferLength)) {
    return kMidiCaptureWriteFailed;
  }
  header.flags |= kHeaderDone;
  return kMidiOk;
}

MidiResult VirtualMidiPlatform::OutputUnprepare(MidiHandle handle, MidiHeader& header) {
  std::lock_guard lock(mutex_);
  MidiResult failure;
  if (TakeFailure("OutputUnprepare", failure)) {
    return failure;
  }
  if (OutputOf(handle) < 0) {
    return kMidiInvalidHandle;
  }
  header.flags &= ~kHeaderPrepared;
  return kMidiOk;
}

MidiResult VirtualMidiPlatform::OutputClose(MidiHandle handle) {
  std::lock_guard lock(mutex_);
  MidiResult failure;
  if (TakeFailure("OutputClose", failure)) {
    return failure;
  }
  const int port = OutputOf(handle);
  if (port < 0) {
    return kMidiInvalidHandle;
  }
  outputs_[static_cast<std::size_t>(port)].handle = kNoHandle;
  return kMidiOk;
}

// --- Hot-plug ----------------------------------------------------------------------------

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

bool VirtualMidiPlatform::ErrorText(MidiResult result, std::string& text) {
  if (result == kMidiCaptureWriteFailed) {
    std::lock_guard lock(mutex_);
    text = captureError_;
    return true;
  }
  return DescribeMidiResult(result, text);
}

}  // namespace velmora

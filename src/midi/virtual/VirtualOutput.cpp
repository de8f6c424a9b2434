// The output ports: the device-layer operations; every send is recorded.

#include "midi/virtual/VirtualMidiPlatform.h"

namespace velmora {

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

}  // namespace velmora

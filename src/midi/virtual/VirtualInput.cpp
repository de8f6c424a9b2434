// The input ports: the device-layer operations and injected input.

#include "midi/virtual/VirtualMidiPlatform.h"

#include <algorithm>
#include <cstring>

namespace velmora {

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

}  // namespace velmora

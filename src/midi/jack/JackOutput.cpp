#include <jack/jack.h>
#include <jack/midiport.h>

#include <span>
#include <thread>

#include "midi/CopiedOutputBuffers.h"
#include "midi/NotReadyRetry.h"
#include "midi/jack/JackMidiPlatformImpl.h"

namespace velmora {

void JackMidiPlatform::AwaitOutgoingSent() {
  const Clock::time_point until = Clock::now() + kPatience;
  while (!outgoing_.Empty() && !serverGone_ && Clock::now() < until) {
    std::this_thread::sleep_for(kPoll);
  }
  // The cycle that took the last event has handed it on once the next one has begun.
  AwaitCycles();
}

MidiResult JackMidiPlatform::OutputOpen(MidiHandle& handle, unsigned id) {
  std::lock_guard lock(mutex_);
  if (id >= outputs_.size()) {
    return kMidiBadDeviceId;
  }
  const std::string& target = outputs_[id];
  for (const auto& [openHandle, port] : openOutputs_) {
    if (port.target == target) {
      return kMidiAllocated;
    }
  }
  std::size_t slot = 0;
  if (const MidiResult result = OpenSlot(outputSlots_, target, true, nextHandle_, slot);
      result != kMidiOk) {
    return result;
  }
  handle = nextHandle_++;
  openOutputs_.emplace(handle, OutputPort{target, slot});
  return kMidiOk;
}

MidiResult JackMidiPlatform::Queue(const OutputPort& port, MidiHandle handle,
                                   std::span<const std::uint8_t> bytes) {
  if (serverGone_) {
    return kMidiJackServerGone;
  }
  if (jack_port_by_name(client_, port.target.c_str()) == nullptr) {
    return kMidiBadDeviceId;
  }
  if (bytes.size() > largestEvent_) {
    return kMidiInvalidParam;
  }
  // The ring is full while the process thread has not caught up: wait for room.
  return RetryWhileNotReady([&] {
    if (outgoing_.Push(handle, bytes)) {
      return kMidiOk;
    }
    return serverGone_ ? kMidiJackServerGone : kMidiNotReady;
  });
}

MidiResult JackMidiPlatform::OutputShort(MidiHandle handle, std::uint32_t message) {
  const ShortMessageBytes unpacked = UnpackShortMessage(message);
  if (unpacked.length == 0) {
    return kMidiInvalidParam;
  }
  std::lock_guard lock(mutex_);
  const auto port = openOutputs_.find(handle);
  if (port == openOutputs_.end()) {
    return kMidiInvalidHandle;
  }
  return Queue(port->second, handle, unpacked.View());
}

MidiResult JackMidiPlatform::OutputPrepare(MidiHandle handle, MidiHeader& header) {
  std::lock_guard lock(mutex_);
  if (!openOutputs_.contains(handle)) {
    return kMidiInvalidHandle;
  }
  return PrepareCopiedOutputBuffer(header);
}

MidiResult JackMidiPlatform::OutputLong(MidiHandle handle, MidiHeader& header) {
  std::lock_guard lock(mutex_);
  const auto port = openOutputs_.find(handle);
  if (port == openOutputs_.end()) {
    return kMidiInvalidHandle;
  }
  // The bytes are copied to the queue, or refused, during the send.
  return SendCopiedOutputBuffer(header, [&](std::span<const std::uint8_t> bytes) {
    return Queue(port->second, handle, bytes);
  });
}

MidiResult JackMidiPlatform::OutputUnprepare(MidiHandle handle, MidiHeader& header) {
  std::lock_guard lock(mutex_);
  if (!openOutputs_.contains(handle)) {
    return kMidiInvalidHandle;
  }
  return UnprepareCopiedOutputBuffer(header);
}

MidiResult JackMidiPlatform::OutputClose(MidiHandle handle) {
  std::lock_guard lock(mutex_);
  const auto port = openOutputs_.find(handle);
  if (port == openOutputs_.end()) {
    return kMidiInvalidHandle;
  }
  AwaitOutgoingSent();
  CloseSlot(outputSlots_[port->second.slot]);
  openOutputs_.erase(port);
  return kMidiOk;
}

}  // namespace velmora

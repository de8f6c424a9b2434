#include <semaphore.h>

#include <cstdint>
#include <string>
#include <vector>

#include "midi/MidiInputPort.h"
#include "midi/jack/JackMidiPlatformImpl.h"

namespace velmora {

MidiResult JackMidiPlatform::InputOpen(MidiHandle& handle, unsigned id, MidiInProc proc,
                                       std::uintptr_t instance) {
  return inputPorts_.Open(handle, proc, instance, [&](InputPort& port) -> MidiResult {
    if (id >= inputs_.size()) {
      return kMidiBadDeviceId;
    }
    const std::string& source = inputs_[id];
    if (inputPorts_.FindIf([&](const InputPort& open) { return open.source == source; }) !=
        nullptr) {
      return kMidiAllocated;
    }
    std::size_t slot = 0;
    if (const MidiResult result = OpenSlot(inputSlots_, source, false, nextHandle_, slot);
        result != kMidiOk) {
      return result;
    }
    handle = nextHandle_++;
    port = InputPort{source, slot};
    return kMidiOk;
  });
}

MidiResult JackMidiPlatform::InputPrepare(MidiHandle handle, MidiHeader& header) {
  return inputPorts_.Prepare(handle, header);
}

MidiResult JackMidiPlatform::InputAddBuffer(MidiHandle handle, MidiHeader& header) {
  return inputPorts_.AddBuffer(handle, header);
}

MidiResult JackMidiPlatform::InputUnprepare(MidiHandle handle, MidiHeader& header) {
  return inputPorts_.Unprepare(handle, header);
}

MidiResult JackMidiPlatform::InputStart(MidiHandle handle) {
  return inputPorts_.Start(handle);
}

MidiResult JackMidiPlatform::InputStop(MidiHandle handle) {
  return inputPorts_.Stop(handle);
}

MidiResult JackMidiPlatform::InputReset(MidiHandle handle) {
  return inputPorts_.Reset(handle);
}

MidiResult JackMidiPlatform::InputClose(MidiHandle handle) {
  return inputPorts_.Close(handle,
                           [this](const InputPort& port) { CloseSlot(inputSlots_[port.slot]); });
}

// ---- Delivery thread. ----

void JackMidiPlatform::DeliveryLoop() {
  while (!stopping_) {
    if (sem_wait(&wake_) != 0) {
      continue;  // EINTR
    }
    DeliverIncoming();
    if (portsChanged_.exchange(false)) {
      TellWatcher();
    }
  }
}

void JackMidiPlatform::DeliverIncoming() {
  inputPorts_.Dispatch([this](MidiInputPort::Notifications& notifications) {
    JackEventRing::Header header;
    std::vector<std::uint8_t> bytes;
    while (incoming_.Pop(header, bytes)) {
      if (auto* port = inputPorts_.Find(header.tag)) {
        const bool sysEx = !bytes.empty() && bytes.front() == 0xF0;
        port->state.Receive(bytes, sysEx, Clock::now(), notifications);
      }
    }
  });
  TellInputLoss();
}

void JackMidiPlatform::TellInputLoss() {
  const std::uint64_t lost = lostIncoming_.exchange(0, std::memory_order_relaxed);
  if (lost == 0) {
    return;
  }
  std::lock_guard lock(lossMutex_);
  if (lost_) {
    lost_(lost);
  }
}

void JackMidiPlatform::WatchInputLoss(std::function<void(std::uint64_t)> lost) {
  std::lock_guard lock(lossMutex_);
  lost_ = std::move(lost);
}

}  // namespace velmora

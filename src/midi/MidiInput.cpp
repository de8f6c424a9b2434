#include <exception>

#include "midi/DeviceSlots.h"
#include "midi/Midi.h"
#include "midi/SysExData.h"

namespace velmora {

TMidiInput::TMidiInput(MidiPlatform& platform) : TMidiDevices(platform, "TMidiInput", true) {
  ListPorts();
  platform_.WatchInputLoss([this](std::uint64_t lost) { NotifyLoss(lost); });
}

unsigned TMidiInput::PlatformCount() {
  return platform_.InputCount();
}

MidiResult TMidiInput::PlatformName(unsigned id, std::string& name) {
  return platform_.InputName(id, name);
}

void TMidiInput::ClosePortQuietly(PortSlot& slot) noexcept {
  const MidiHandle handle = slot.handle;
  if (handle == kNoHandle) {
    return;
  }
  platform_.InputStop(handle);
  platform_.InputReset(handle);
  platform_.InputUnprepare(handle, slot.sysEx->Header);
  platform_.InputClose(handle);
  slot.handle = kNoHandle;
}

TMidiInput::~TMidiInput() {
  platform_.WatchInputLoss({});
  CloseAllPorts();
}

void TMidiInput::OpenDevice(int index) {
  const auto slot = SlotAt(index);
  if (slot->handle != kNoHandle) {
    return;
  }
  MidiHandle handle = kNoHandle;
  CheckResult(
      platform_.InputOpen(handle, static_cast<unsigned>(index), &MidiInCallback, slot->key));
  slot->handle = handle;
  MidiHeader& header = slot->sysEx->Header;
  header.flags = 0;
  CheckResult(platform_.InputPrepare(HandleOf(index), header));
  CheckResult(platform_.InputAddBuffer(HandleOf(index), header));
  CheckResult(platform_.InputStart(HandleOf(index)));
}

void TMidiInput::CloseDevice(int index) {
  if (HandleOf(index) == kNoHandle) {
    return;
  }
  MidiHeader& header = SlotAt(index)->sysEx->Header;
  CheckResult(platform_.InputStop(HandleOf(index)));
  // Reset gives the queued buffer back empty; HandleSysExBuffer leaves it out of the queue,
  // which is what lets the unprepare below succeed.
  CheckResult(platform_.InputReset(HandleOf(index)));
  CheckResult(platform_.InputUnprepare(HandleOf(index), header));
  CheckResult(platform_.InputClose(HandleOf(index)));
  SetHandle(index, kNoHandle);
}

void TMidiInput::CloseAllPorts() noexcept {
  for (const auto& slot : *Table()) {
    ClosePortQuietly(*slot);
  }
  CloseVanishedPorts();
}

void TMidiInput::HandleSysExBuffer(int index) {
  HandleSlotBuffer(index, *SlotAt(index));
}

// index is -1 for a port that has left the list: its buffer is taken back but the bytes go
// to nobody, since no index names the port any more.
void TMidiInput::HandleSlotBuffer(int index, PortSlot& slot) {
  TSysExData& data = *slot.sysEx;
  MidiHeader& header = data.Header;
  if (header.bytesRecorded == 0) {
    return;
  }
  data.Stream.Append(data.Buffer.data(), header.bytesRecorded);
  const bool done = (header.flags & kHeaderDone) != 0;
  header.bytesRecorded = 0;
  if (index < 0) {
    data.Stream.Clear();
    return;
  }

  // The buffer goes back into the queue before the handler runs, so that long data arriving
  // meanwhile has somewhere to land. The bytes already taken are delivered even if that
  // fails; the failure is raised afterwards.
  std::exception_ptr requeueError;
  try {
    CheckResult(platform_.InputPrepare(slot.handle, header));
    CheckResult(platform_.InputAddBuffer(slot.handle, header));
  } catch (...) {
    requeueError = std::current_exception();
  }

  if (done) {
    struct EmptyAfterwards {
      ByteStream& stream;
      ~EmptyAfterwards() { stream.Clear(); }
    } emptyAfterwards{data.Stream};
    data.Stream.SetPosition(0);
    std::shared_ptr<const SysExHandler> handler;
    {
      std::lock_guard lock(handlersMutex_);
      handler = onSysEx_;
    }
    if (handler && *handler) {
      (*handler)(index, data.Stream);
    }
  }
  if (requeueError) {
    std::rethrow_exception(requeueError);
  }
}

void TMidiInput::Notify(std::uint32_t message, std::uintptr_t key, std::uintptr_t packed) {
  int index = -1;
  const auto slot = SlotOfKey(key, index);
  if (slot == nullptr) {
    ThrowOutOfBounds(static_cast<long long>(key));
  }
  if (message == kMimLongData) {
    HandleSlotBuffer(index, *slot);
    return;
  }
  if (index < 0) {
    return;
  }
  std::shared_ptr<const ShortHandler> handler;
  {
    std::lock_guard lock(handlersMutex_);
    handler = onShort_;
  }
  if (handler && *handler) {
    (*handler)(index, static_cast<std::uint8_t>(packed & 0xFF),
               static_cast<std::uint8_t>((packed >> 8) & 0xFF),
               static_cast<std::uint8_t>((packed >> 16) & 0xFF));
  }
}

void TMidiInput::SetOnShortReceived(ShortHandler handler) {
  auto shared = std::make_shared<const ShortHandler>(std::move(handler));
  std::lock_guard lock(handlersMutex_);
  onShort_ = std::move(shared);
}

void TMidiInput::SetOnSysExReceived(SysExHandler handler) {
  auto shared = std::make_shared<const SysExHandler>(std::move(handler));
  std::lock_guard lock(handlersMutex_);
  onSysEx_ = std::move(shared);
}

void TMidiInput::SetOnInputLost(LossHandler handler) {
  auto shared = std::make_shared<const LossHandler>(std::move(handler));
  std::lock_guard lock(handlersMutex_);
  onLoss_ = std::move(shared);
}

void TMidiInput::NotifyLoss(std::uint64_t lost) noexcept {
  try {
    std::shared_ptr<const LossHandler> handler;
    {
      std::lock_guard lock(handlersMutex_);
      handler = onLoss_;
    }
    if (handler && *handler) {
      (*handler)(lost);
    }
  } catch (const std::exception& error) {
    QueueNotificationError(error.what());
  } catch (...) {
    QueueNotificationError("Unexpected error while receiving MIDI input.");
  }
}

bool TMidiInput::TakeNotificationError(std::string& text) {
  std::lock_guard lock(errorsMutex_);
  if (errors_.empty()) {
    return false;
  }
  text = std::move(errors_.front());
  errors_.erase(errors_.begin());
  return true;
}

void TMidiInput::QueueNotificationError(const char* text) noexcept {
  try {
    std::string copy = text;
    std::lock_guard lock(errorsMutex_);
    errors_.push_back(std::move(copy));
  } catch (...) {
    // Out of memory on the notification thread: the error is lost, the thread survives.
  }
}

void MidiInCallback(MidiHandle, std::uint32_t message, std::uintptr_t instance,
                    std::uintptr_t param1, std::uintptr_t) {
  if (message != kMimData && message != kMimLongData) {
    return;
  }
  // Peeking, not GetMidiInput: building the object here, on the platform's thread, would
  // be wrong, and with no object there is nobody to deliver to.
  TMidiInput* input = PeekMidiInput();
  if (input == nullptr) {
    return;
  }
  // Nothing may leave the platform's notification procedure: every error waits for the
  // user-interface thread instead.
  try {
    input->Notify(message, instance, param1);
  } catch (const std::exception& error) {
    input->QueueNotificationError(error.what());
  } catch (...) {
    input->QueueNotificationError("Unexpected error while receiving MIDI input.");
  }
}

}  // namespace velmora

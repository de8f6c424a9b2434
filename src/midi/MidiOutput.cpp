#include <algorithm>

#include "midi/Midi.h"
#include "midi/MidiMessageSplitter.h"

namespace velmora {

TMidiOutput::TMidiOutput(MidiPlatform& platform) : TMidiDevices(platform, "TMidiOutput", false) {
  ListPorts();
}

unsigned TMidiOutput::PlatformCount() {
  return platform_.OutputCount();
}

MidiResult TMidiOutput::PlatformName(unsigned id, std::string& name) {
  return platform_.OutputName(id, name);
}

void TMidiOutput::ClosePortQuietly(PortSlot& slot) noexcept {
  std::lock_guard lock(openCloseMutex_);
  const MidiHandle handle = slot.handle.exchange(kNoHandle);
  if (handle != kNoHandle) {
    platform_.OutputClose(handle);
  }
}

TMidiOutput::~TMidiOutput() {
  CloseAllPorts();
}

void TMidiOutput::OpenDevice(int index) {
  std::lock_guard lock(openCloseMutex_);
  if (HandleOf(index) != kNoHandle) {
    return;
  }
  MidiHandle handle = kNoHandle;
  CheckResult(platform_.OutputOpen(handle, static_cast<unsigned>(index)));
  SetHandle(index, handle);
}

// No test for a closed port first: closing one hands the empty handle to the platform, and
// its refusal is the error the caller sees.
void TMidiOutput::CloseDevice(int index) {
  std::lock_guard lock(openCloseMutex_);
  CheckResult(platform_.OutputClose(HandleOf(index)));
  SetHandle(index, kNoHandle);
}

void TMidiOutput::CloseAllPorts() noexcept {
  for (const auto& slot : *Table()) {
    ClosePortQuietly(*slot);
  }
  CloseVanishedPorts();
}

void TMidiOutput::SendShort(int index, std::uint8_t status, std::uint8_t data1,
                            std::uint8_t data2) {
  if (HandleOf(index) == kNoHandle) {
    OpenDevice(index);
  }
  const std::uint32_t message = status + data1 * 0x100u + data2 * 0x10000u;
  CheckResult(platform_.OutputShort(HandleOf(index), message));
  if (tapped_.load(std::memory_order_acquire)) {
    const std::uint8_t bytes[3] = {status, data1, data2};
    Tap(index, std::span(bytes, std::max<std::size_t>(1, MidiMessageLength(status))));
  }
}

void TMidiOutput::SendText(int index, const std::string& text) {
  ByteStream stream;
  HexTextToStream(text, stream);
  SendStream(index, stream);
}

void TMidiOutput::SendStream(int index, ByteStream& stream) {
  stream.SetPosition(0);
  const auto slot = SlotAt(index);  // a bad index is reported even when there is nothing to send
  // Nothing to send: a zero-length long buffer has no meaning on the wire, and backends
  // disagree about it (refused, dropped, or sent as an empty event), so none is made.
  if (stream.Size() == 0) {
    return;
  }
  // The header and the stream's bytes outlive every platform step below: the platform
  // holds the buffer until OutputLong returns, and both are released only after unprepare.
  MidiHeader header;
  header.data = stream.Data();
  header.bufferLength = static_cast<std::uint32_t>(stream.Size());
  header.flags = 0;
  CheckResult(platform_.OutputPrepare(slot->handle, header));
  const MidiResult sent = platform_.OutputLong(slot->handle, header);
  if (sent != kMidiOk) {
    // Not sent, but still prepared: undo that before the error leaves, so no prepared
    // header points at memory about to be freed.
    platform_.OutputUnprepare(slot->handle, header);
  }
  CheckResult(sent);
  CheckResult(platform_.OutputUnprepare(slot->handle, header));
  if (tapped_.load(std::memory_order_acquire)) {
    Tap(index, std::span(stream.Data(), stream.Size()));
  }
}

void TMidiOutput::SetSendTap(SendTap tap) {
  std::lock_guard lock(tapMutex_);
  tapped_.store(static_cast<bool>(tap), std::memory_order_release);
  tap_ = std::move(tap);
}

void TMidiOutput::Tap(int index, std::span<const std::uint8_t> bytes) {
  std::lock_guard lock(tapMutex_);
  if (tap_) {
    tap_(index, bytes);
  }
}

}  // namespace velmora

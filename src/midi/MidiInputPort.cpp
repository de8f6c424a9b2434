#include "midi/MidiInputPort.h"

#include "midi/MidiMessageSplitter.h"

namespace velmora {

namespace {

constexpr std::uint8_t kSysExStart = 0xF0;

std::uintptr_t Pack(const MidiMessage& message) {
  std::uintptr_t packed = 0;
  for (std::size_t i = 0; i < message.size() && i < 3; ++i) {
    packed |= static_cast<std::uintptr_t>(message[i]) << (8 * i);
  }
  return packed;
}

}  // namespace

void DeliverMidiNotifications(const std::vector<MidiNotification>& notifications) {
  for (const MidiNotification& n : notifications) {
    n.proc(n.handle, n.message, n.instance, n.param1, n.param2);
  }
}

MidiInputPort::MidiInputPort(MidiHandle handle, MidiInProc proc, std::uintptr_t instance)
    : handle_(handle), proc_(proc), instance_(instance), startedAt_(Clock::now()) {}

void MidiInputPort::Opened(Notifications& out) const {
  Notify(kMimOpen, 0, 0, out);
}

void MidiInputPort::Closed(Notifications& out) const {
  Notify(kMimClose, 0, 0, out);
}

void MidiInputPort::Start(Clock::time_point now) {
  if (!started_) {
    started_ = true;
    startedAt_ = now;
  }
}

void MidiInputPort::Stop(Clock::time_point now, Notifications& out) {
  started_ = false;
  std::vector<MidiHeader*> headers;
  buffers_.ReturnPartial(headers);
  ReturnBuffers(headers, now, out);
}

void MidiInputPort::Reset(Clock::time_point now, Notifications& out) {
  started_ = false;
  std::vector<MidiHeader*> headers;
  buffers_.ReturnAll(headers);
  ReturnBuffers(headers, now, out);
}

void MidiInputPort::Receive(std::span<const std::uint8_t> bytes, bool sysEx, Clock::time_point now,
                            Notifications& out) {
  if (!started_) {
    return;
  }
  if (sysEx) {
    std::vector<MidiHeader*> headers;
    buffers_.AppendSysEx(bytes, headers);
    ReturnBuffers(headers, now, out);
    return;
  }
  for (const MidiMessage& message : SplitMidiMessages(bytes)) {
    if (message.front() == kSysExStart) {
      // A whole SysEx in an event not marked as one still goes to the buffers: packed as a
      // short message it would lose all but its first three bytes.
      std::vector<MidiHeader*> headers;
      buffers_.AppendSysEx(message, headers);
      ReturnBuffers(headers, now, out);
      continue;
    }
    Notify(kMimData, Pack(message), Stamp(now), out);
  }
}

std::uintptr_t MidiInputPort::Stamp(Clock::time_point now) const {
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - startedAt_);
  return static_cast<std::uintptr_t>(elapsed.count());
}

void MidiInputPort::Notify(std::uint32_t message, std::uintptr_t param1, std::uintptr_t param2,
                           Notifications& out) const {
  if (proc_ != nullptr) {
    out.push_back({proc_, handle_, message, instance_, param1, param2});
  }
}

void MidiInputPort::ReturnBuffers(const std::vector<MidiHeader*>& headers, Clock::time_point now,
                                  Notifications& out) const {
  for (MidiHeader* header : headers) {
    Notify(kMimLongData, reinterpret_cast<std::uintptr_t>(header), Stamp(now), out);
  }
}

}  // namespace velmora

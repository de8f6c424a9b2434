#include "rig/MidiByteReceiver.h"

#include <algorithm>

namespace velmora {
namespace {

constexpr std::uint8_t kSysExStart = 0xF0;
constexpr std::uint8_t kSysExEnd = 0xF7;
// The bytes of an overlong SysEx shown with its entry: enough to tell whose it was.
constexpr std::size_t kOverlongShown = 16;

bool IsRealTime(std::uint8_t byte) {
  return byte >= 0xF8;
}

// Whole length, status byte included, of a message that starts with status.
std::size_t MessageLength(std::uint8_t status) {
  switch (status & 0xF0) {
    case 0xC0:
    case 0xD0:
      return 2;
    case 0xF0:
      break;
    default:
      return 3;
  }
  switch (status) {
    case 0xF1:
    case 0xF3:
      return 2;
    case 0xF2:
      return 3;
    default:
      return 1;  // F6 and the undefined F4, F5
  }
}

}  // namespace

MidiByteReceiver::MidiByteReceiver(MessageHandler onMessage, OverlongHandler onOverlong)
    : onMessage_(std::move(onMessage)), onOverlong_(std::move(onOverlong)) {}

void MidiByteReceiver::Feed(std::span<const std::uint8_t> bytes) {
  for (std::uint8_t byte : bytes) {
    Take(byte);
  }
}

void MidiByteReceiver::Take(std::uint8_t byte) {
  if (IsRealTime(byte)) {
    onMessage_(std::span<const std::uint8_t>(&byte, 1));
  } else if (byte >= 0x80) {
    TakeStatus(byte);
  } else {
    TakeData(byte);
  }
}

void MidiByteReceiver::TakeStatus(std::uint8_t status) {
  if (inSysEx_ && status == kSysExEnd) {
    inSysEx_ = false;
    if (!overlong_) {
      message_.push_back(status);
      Deliver();
    }
    message_.clear();
    return;
  }
  // Whatever was in progress is incomplete now: it goes without a trace.
  inSysEx_ = false;
  message_.assign(1, status);
  if (status == kSysExStart) {
    inSysEx_ = true;
    overlong_ = false;
    runningStatus_ = 0;
    return;
  }
  expected_ = MessageLength(status);
  // Only channel messages run on; a system message ends the running status.
  runningStatus_ = status < 0xF0 ? status : 0;
  if (expected_ == 1) {
    Deliver();
    message_.clear();
  }
}

void MidiByteReceiver::TakeData(std::uint8_t data) {
  if (inSysEx_) {
    if (overlong_) {
      return;
    }
    message_.push_back(data);
    // The closing F7 still has to come, so a message that is full here is one too long.
    if (message_.size() >= kLongestSysEx) {
      overlong_ = true;
      onOverlong_(std::span<const std::uint8_t>(message_.data(),
                                                std::min(message_.size(), kOverlongShown)));
      message_.clear();
      message_.shrink_to_fit();
    }
    return;
  }
  if (message_.empty()) {
    if (runningStatus_ == 0) {
      return;  // no status to belong to
    }
    message_.assign(1, runningStatus_);
    expected_ = MessageLength(runningStatus_);
  }
  message_.push_back(data);
  if (message_.size() == expected_) {
    Deliver();
    message_.clear();
  }
}

void MidiByteReceiver::Deliver() {
  onMessage_(message_);
}

}  // namespace velmora

#include "rig/Rig.h"

namespace velmora {

Rig::Rig(ChangeListener listener)
    : listener_(std::move(listener)),
      receiver_(
          [this](std::span<const std::uint8_t> message) {
            if (auto line = ApplyRigMessage(state_, DecodeRigMessage(message), message)) {
              Change(std::move(*line));
            }
          },
          [this](std::span<const std::uint8_t> start) {
            Change(ApplyOverlongSysEx(state_, start));
          }) {}

void Rig::Feed(std::span<const std::uint8_t> bytes) {
  std::lock_guard lock(mutex_);
  receiver_.Feed(bytes);
}

RigState Rig::State() const {
  std::lock_guard lock(mutex_);
  return state_;
}

std::vector<std::string> Rig::RecentChanges() const {
  std::lock_guard lock(mutex_);
  return {recent_.begin(), recent_.end()};
}

std::uint64_t Rig::ChangeCount() const {
  std::lock_guard lock(mutex_);
  return changeCount_;
}

void Rig::Change(std::string line) {
  ++changeCount_;
  if (listener_) {
    listener_(line);
  }
  recent_.push_back(std::move(line));
  if (recent_.size() > kRecentChangeLines) {
    recent_.pop_front();
  }
}

}  // namespace velmora

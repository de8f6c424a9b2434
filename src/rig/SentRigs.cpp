#include "rig/SentRigs.h"

namespace velmora {

void SentRigs::Feed(int port, std::span<const std::uint8_t> bytes) {
  Rig* rig = nullptr;
  {
    std::lock_guard lock(mutex_);
    std::unique_ptr<Rig>& slot = rigs_[port];
    if (!slot) {
      slot = std::make_unique<Rig>();
    }
    rig = slot.get();
  }
  // The rig takes its own lock: a reader of another port never waits for this one.
  rig->Feed(bytes);
}

const Rig* SentRigs::Of(int port) const {
  std::lock_guard lock(mutex_);
  const auto found = rigs_.find(port);
  return found == rigs_.end() ? nullptr : found->second.get();
}

}  // namespace velmora

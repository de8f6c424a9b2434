#pragma once

// One simulated rig per output port, fed with every buffer the editor sends there: what the
// rig view shows is what a rig cabled to that port would hold. Memory stays bounded (a rig
// keeps its state and its last change lines), so the rigs live from start-up to the end.
// Fed from any sending thread; read from the user-interface thread.

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <span>

#include "rig/Rig.h"

namespace velmora {

class SentRigs {
 public:
  void Feed(int port, std::span<const std::uint8_t> bytes);
  // The rig of that port, or null while nothing was sent there. It lives as long as this.
  const Rig* Of(int port) const;

 private:
  mutable std::mutex mutex_;
  std::map<int, std::unique_ptr<Rig>> rigs_;
};

}  // namespace velmora

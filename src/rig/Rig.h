#pragma once

// The simulated rig: the amplifier and the guitar as a MIDI receiver that keeps their state.
// Fed with bytes as they travel on the wire, in pieces of any size (a send tap, an input
// port, a capture file). Every call may come from any thread; calls are taken one at a time.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "rig/MidiByteReceiver.h"
#include "rig/RigState.h"

namespace velmora {

// The change lines a rig keeps for a view to show.
inline constexpr std::size_t kRecentChangeLines = 200;

class Rig {
 public:
  // Told each change line as it happens, in order, on the feeding thread, with the rig's lock
  // held: it must not call back into the rig.
  using ChangeListener = std::function<void(const std::string& line)>;

  explicit Rig(ChangeListener listener = {});
  Rig(const Rig&) = delete;
  Rig& operator=(const Rig&) = delete;

  void Feed(std::span<const std::uint8_t> bytes);

  RigState State() const;
  // The last kRecentChangeLines lines, oldest first.
  std::vector<std::string> RecentChanges() const;
  // How many lines were made since the rig was built: a view repaints when it moved.
  std::uint64_t ChangeCount() const;

 private:
  void Change(std::string line);

  mutable std::mutex mutex_;
  ChangeListener listener_;
  RigState state_;
  std::deque<std::string> recent_;
  std::uint64_t changeCount_ = 0;
  MidiByteReceiver receiver_;
};

}  // namespace velmora

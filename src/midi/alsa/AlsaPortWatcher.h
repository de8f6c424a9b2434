#pragma once

// Hears the ALSA sequencer's announcements (the system client's port 0:1): a client or port
// that starts, exits or changes. A client of its own reads them on a thread of its own, so
// the platform's client and its locks are never involved, and tells changed.

#include <functional>
#include <memory>

namespace velmora {

class AlsaPortWatcher {
 public:
  // Starts watching; without a sequencer (no /dev/snd) it watches nothing and never calls.
  explicit AlsaPortWatcher(std::function<void()> changed);
  // Stops the thread; once this returns, changed is not running and will not run again.
  ~AlsaPortWatcher();
  AlsaPortWatcher(const AlsaPortWatcher&) = delete;
  AlsaPortWatcher& operator=(const AlsaPortWatcher&) = delete;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace velmora

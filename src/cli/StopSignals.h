#pragma once

// What the commands that run until Ctrl-C share: the stop signals, and a doorbell that
// another thread rings to wake the waiting command.

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>

namespace velmora {

// How often a wait looks at the stop signal: a signal handler may not wake a thread.
inline constexpr std::chrono::milliseconds kSignalCheck{50};

// Set by SIGINT or SIGTERM while a StopSignals lives.
bool StopRequested();

// Ctrl-C and SIGTERM end the run cleanly instead of the process, for this scope. std::signal
// rather than sigaction, so the same code serves the Windows build.
class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

 private:
  using Handler = void (*)(int);
  Handler previousInt_ = SIG_DFL;
  Handler previousTerm_ = SIG_DFL;
};

// Rung from another thread (the MIDI notification thread, the platform's port watcher).
class Doorbell {
 public:
  void Ring();
  // Returns at until or once rung, whichever comes first; true when it was rung.
  bool WaitUntil(std::chrono::steady_clock::time_point until);

 private:
  std::mutex mutex_;
  std::condition_variable rang_;
  bool rung_ = false;
};

}  // namespace velmora

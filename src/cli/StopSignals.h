#pragma once

// What the commands that run until Ctrl-C share: the stop signals, and a doorbell that
// another thread rings to wake the waiting command.

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <thread>

#ifndef _WIN32
#include <pthread.h>
#endif

namespace velmora {

// How often a wait looks at the stop signal: a signal handler may not wake a thread.
inline constexpr std::chrono::milliseconds kSignalCheck{50};

// Set by SIGINT or SIGTERM while a StopSignals lives, or once its StopAt time has come.
bool StopRequested();
// Set by SIGINT or SIGTERM alone.
bool StopSignalled();

// Ctrl-C and SIGTERM (on Windows also Ctrl-Break and the console closing) end the run cleanly
// instead of the process, for this scope. A call
// blocked when the signal comes returns early (EINTR) rather than starting again, and so
// does any the creating thread blocks in afterwards, until the scope ends.
class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // From then on the run stops as if a signal had come, so a run with a time limit ends on
  // time even while it is blocked. A later call moves the time.
  void StopAt(std::chrono::steady_clock::time_point deadline);

 private:
  using Handler = void (*)(int);
  Handler previousInt_ = SIG_DFL;
  Handler previousTerm_ = SIG_DFL;
#ifdef _WIN32
  Handler previousBreak_ = SIG_DFL;
#else
  Handler previousAlarm_ = SIG_DFL;
  const pthread_t owner_;
  std::mutex mutex_;
  std::condition_variable ending_;
  bool ended_ = false;
  std::chrono::steady_clock::time_point deadline_ = std::chrono::steady_clock::time_point::max();
  std::thread interrupter_;
#endif
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

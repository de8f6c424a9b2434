#include "cli/StopSignals.h"

#include <atomic>

#ifdef _WIN32
#include <windows.h>
#else
#include <pthread.h>
#include <signal.h>
#endif

namespace velmora {
namespace {

// Set from a signal handler; timeUp from the thread that keeps the deadline.
std::atomic<int> stopSignal = 0;
std::atomic<int> timeUp = 0;
static_assert(std::atomic<int>::is_always_lock_free, "a signal handler may only use it so");

extern "C" void NoteStopSignal(int) {
  stopSignal = 1;
}

#ifdef _WIN32
// The runtime turns Ctrl-C and Ctrl-Break into signals, but not the console closing nor the
// system shutting down: those end the process once this returns, so it holds on while the run
// ends and main returns (Windows allows it a few seconds).
BOOL WINAPI NoteConsoleEnd(DWORD event) {
  if (event != CTRL_CLOSE_EVENT && event != CTRL_SHUTDOWN_EVENT) {
    return FALSE;
  }
  stopSignal = 1;
  Sleep(INFINITE);
  return TRUE;
}
#else
// Its only work is to interrupt the call it lands in.
extern "C" void Interrupt(int) {}

// How often the stopping thread is interrupted until it has ended its run.
constexpr std::chrono::milliseconds kInterruptEvery{100};

void SetHandler(int signal, void (*handler)(int), void (**previous)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  struct sigaction before {};
  sigaction(signal, &action, &before);
  if (previous != nullptr) {
    *previous = before.sa_handler;
  }
}
#endif

}  // namespace

bool StopRequested() {
  return stopSignal != 0 || timeUp != 0;
}

bool StopSignalled() {
  return stopSignal != 0;
}

#ifdef _WIN32
StopSignals::StopSignals() {
  stopSignal = 0;
  previousInt_ = std::signal(SIGINT, NoteStopSignal);
  previousTerm_ = std::signal(SIGTERM, NoteStopSignal);
  previousBreak_ = std::signal(SIGBREAK, NoteStopSignal);
  SetConsoleCtrlHandler(NoteConsoleEnd, TRUE);
}

StopSignals::~StopSignals() {
  std::signal(SIGINT, previousInt_);
  std::signal(SIGTERM, previousTerm_);
  std::signal(SIGBREAK, previousBreak_);
  SetConsoleCtrlHandler(NoteConsoleEnd, FALSE);
}

// Windows has no call here that a stop could interrupt; the run keeps its own time.
void StopSignals::StopAt(std::chrono::steady_clock::time_point) {}
#else
// Without SA_RESTART, so that a call blocked on a pipe nobody reads or a FIFO nobody writes
// returns EINTR and the run can end. The signal may land on another thread, or come just
// before the call blocks; so once it has come, the thread that owns the run is interrupted
// again and again until the scope ends.
StopSignals::StopSignals() : owner_(pthread_self()) {
  stopSignal = 0;
  timeUp = 0;
  SetHandler(SIGALRM, Interrupt, &previousAlarm_);
  SetHandler(SIGINT, NoteStopSignal, &previousInt_);
  SetHandler(SIGTERM, NoteStopSignal, &previousTerm_);
  interrupter_ = std::thread([this] {
    sigset_t stops;
    sigemptyset(&stops);
    for (int signal : {SIGINT, SIGTERM, SIGALRM}) {
      sigaddset(&stops, signal);
    }
    pthread_sigmask(SIG_BLOCK, &stops, nullptr);
    std::unique_lock lock(mutex_);
    while (!ended_) {
      if (std::chrono::steady_clock::now() >= deadline_) {
        timeUp = 1;
      }
      if (StopRequested()) {
        pthread_kill(owner_, SIGALRM);
      }
      ending_.wait_for(lock, StopRequested() ? kInterruptEvery : kSignalCheck);
    }
  });
}

StopSignals::~StopSignals() {
  {
    std::lock_guard lock(mutex_);
    ended_ = true;
  }
  ending_.notify_one();
  interrupter_.join();
  SetHandler(SIGINT, previousInt_, nullptr);
  SetHandler(SIGTERM, previousTerm_, nullptr);
  SetHandler(SIGALRM, previousAlarm_, nullptr);
}

void StopSignals::StopAt(std::chrono::steady_clock::time_point deadline) {
  {
    std::lock_guard lock(mutex_);
    deadline_ = deadline;
  }
  ending_.notify_one();
}
#endif

void Doorbell::Ring() {
  {
    std::lock_guard lock(mutex_);
    rung_ = true;
  }
  rang_.notify_one();
}

bool Doorbell::WaitUntil(std::chrono::steady_clock::time_point until) {
  std::unique_lock lock(mutex_);
  const bool rung = rang_.wait_until(lock, until, [this] { return rung_; });
  rung_ = false;
  return rung;
}

}  // namespace velmora

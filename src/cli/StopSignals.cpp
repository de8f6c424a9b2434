#include "cli/StopSignals.h"

namespace velmora {
namespace {

volatile std::sig_atomic_t stopSignal = 0;

extern "C" void NoteStopSignal(int) {
  stopSignal = 1;
}

}  // namespace

bool StopRequested() {
  return stopSignal != 0;
}

StopSignals::StopSignals() {
  stopSignal = 0;
  previousInt_ = std::signal(SIGINT, NoteStopSignal);
  previousTerm_ = std::signal(SIGTERM, NoteStopSignal);
}

StopSignals::~StopSignals() {
  std::signal(SIGINT, previousInt_);
  std::signal(SIGTERM, previousTerm_);
}

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

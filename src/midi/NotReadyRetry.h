#pragma once

// A destination that is momentarily full (the sequencer's EAGAIN, our ring to the JACK
// process thread, winmm's MIDIERR_NOTREADY) is back-pressure: the sender is faster than
// the reader for a moment, which a loaded machine or a small board reaches within a few
// hundred messages. The message then waits for room, in order, and only a destination that
// stays full for the whole patience is reported busy, so nothing after it is lost and no
// send blocks forever.

#include <algorithm>
#include <chrono>
#include <thread>

#include "midi/MidiPlatform.h"

namespace velmora {

// How long one message may wait for room.
inline constexpr std::chrono::milliseconds kNotReadyPatience{2000};

// Calls `attempt` until it answers anything but kMidiNotReady or `patience` has passed,
// sleeping between tries: briefly at first, so a reader that catches up at once costs
// little, then up to 5 ms, so a stuck one costs no processor. Returns the last answer.
template <typename Attempt>
MidiResult RetryWhileNotReady(Attempt attempt,
                              std::chrono::steady_clock::duration patience = kNotReadyPatience) {
  using Clock = std::chrono::steady_clock;
  MidiResult result = attempt();
  if (result != kMidiNotReady) {
    return result;
  }
  const Clock::time_point until = Clock::now() + patience;
  std::chrono::microseconds pause{100};
  while (result == kMidiNotReady && Clock::now() < until) {
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::microseconds{5000});
    result = attempt();
  }
  return result;
}

}  // namespace velmora

#pragma once

// The stage box's keys when standard input is a terminal: n and space step to the next
// item, p to the previous one, digits then Enter to that item. The terminal is read key by
// key, without echo, on a thread of its own, and set back as it was at the end.

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "live/LiveSteps.h"

#ifndef _WIN32
#include <termios.h>
#endif

namespace velmora {

// What a key asks for, given the digits typed before it (which it may take or clear).
// Nothing for a key that steps nowhere.
std::optional<StepRequest> StepOfKey(char key, std::string& digits);

class TerminalKeys {
 public:
  // Reads nothing when standard input is not a terminal.
  explicit TerminalKeys(std::function<void(StepRequest)> ask);
  ~TerminalKeys();
  TerminalKeys(const TerminalKeys&) = delete;
  TerminalKeys& operator=(const TerminalKeys&) = delete;

 private:
  void Read();

  std::function<void(StepRequest)> ask_;
  std::atomic<bool> stopping_ = false;
#ifndef _WIN32
  termios saved_{};
#endif
  std::thread reader_;
};

}  // namespace velmora

#include "cli/TerminalKeys.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <utility>

#ifdef _WIN32
#include <conio.h>
#include <io.h>
#else
#include <poll.h>
#include <unistd.h>
#endif

namespace velmora {
namespace {

// Enough digits for any setlist; more would overflow the number.
constexpr std::size_t kMostDigits = 6;
constexpr int kStopCheckMs = 50;

}  // namespace

std::optional<StepRequest> StepOfKey(char key, std::string& digits) {
  if (key >= '0' && key <= '9') {
    if (digits.size() < kMostDigits) {
      digits += key;
    }
    return std::nullopt;
  }
  const std::string typed = std::exchange(digits, {});
  if (key == 'n' || key == ' ') {
    return StepRequest{StepAction::kNext, 0};
  }
  if (key == 'p') {
    return StepRequest{StepAction::kPrevious, 0};
  }
  if ((key == '\n' || key == '\r') && !typed.empty()) {
    return StepRequest{StepAction::kItem, std::stoul(typed)};
  }
  return std::nullopt;
}

#ifdef _WIN32

TerminalKeys::TerminalKeys(std::function<void(StepRequest)> ask) : ask_(std::move(ask)) {
  if (_isatty(_fileno(stdin))) {
    reader_ = std::thread([this] { Read(); });
  }
}

void TerminalKeys::Read() {
  std::string digits;
  while (!stopping_) {
    if (!_kbhit()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(kStopCheckMs));
      continue;
    }
    if (const std::optional<StepRequest> step = StepOfKey(static_cast<char>(_getch()), digits)) {
      ask_(*step);
    }
  }
}

TerminalKeys::~TerminalKeys() {
  stopping_ = true;
  if (reader_.joinable()) {
    reader_.join();
  }
}

#else

TerminalKeys::TerminalKeys(std::function<void(StepRequest)> ask) : ask_(std::move(ask)) {
  if (!isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &saved_) != 0) {
    return;
  }
  termios keys = saved_;
  keys.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
  keys.c_cc[VMIN] = 1;
  keys.c_cc[VTIME] = 0;
  tcsetattr(STDIN_FILENO, TCSANOW, &keys);
  reader_ = std::thread([this] { Read(); });
}

// Polled, so that the end of the run never waits for a key.
void TerminalKeys::Read() {
  std::string digits;
  while (!stopping_) {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    if (poll(&input, 1, kStopCheckMs) <= 0) {
      continue;
    }
    char key = 0;
    if (read(STDIN_FILENO, &key, 1) != 1) {
      return;
    }
    if (const std::optional<StepRequest> step = StepOfKey(key, digits)) {
      ask_(*step);
    }
  }
}

TerminalKeys::~TerminalKeys() {
  stopping_ = true;
  if (reader_.joinable()) {
    reader_.join();
    tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
  }
}

#endif

}  // namespace velmora

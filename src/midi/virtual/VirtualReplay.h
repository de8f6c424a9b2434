#pragma once

// Scripted input for the virtual ports, so the monitor can run end to end without a device.
// A replay file has the form of a capture file: one message a line, "<ms> <port> <HEX>",
// HEX being two upper-case digits a byte with single blanks between. Each line is delivered
// to virtual input port <port> <ms> milliseconds after that port was started (the moment
// the port begins delivering, right after it is opened), in file order: a line whose time
// has passed already follows the one before it at once. Every start plays the port's lines
// from the beginning. Empty lines are skipped.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace velmora {

struct ReplayLine {
  std::chrono::milliseconds at{0};
  unsigned port = 0;
  // One message: a status byte and at most two data bytes, or F0 ... F7.
  std::vector<std::uint8_t> bytes;
};

// Reads the whole file for a platform with inputPorts input ports. Throws MidiError naming
// the file, and the line for a malformed one ("replay.txt:3: ...") or one over 64 KiB; a
// file over 64 MiB is refused as soon as that much has been read.
std::vector<ReplayLine> ReadReplayFile(const std::string& path, unsigned inputPorts);

// Plays one port's lines on a thread of its own, from construction until Stop.
class ReplayRun {
 public:
  using Deliver = std::function<void(const ReplayLine&)>;
  ReplayRun(std::vector<ReplayLine> lines, Deliver deliver);
  ~ReplayRun();
  ReplayRun(const ReplayRun&) = delete;
  ReplayRun& operator=(const ReplayRun&) = delete;

  // Returns once no delivery is running or to come; from the delivering thread itself (a
  // handler stopping its own port) it only asks, and the destructor waits.
  void Stop();
  bool OnItsThread() const { return thread_.get_id() == std::this_thread::get_id(); }

 private:
  void Play();

  const std::vector<ReplayLine> lines_;
  const Deliver deliver_;
  const std::chrono::steady_clock::time_point start_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace velmora

// The record of every buffer sent, and its capture file.

#include "midi/virtual/VirtualMidiPlatform.h"

#include <cerrno>
#include <cstring>

namespace velmora {

std::vector<SentBuffer> VirtualMidiPlatform::Sent() const {
  std::lock_guard lock(mutex_);
  return sent_;
}

void VirtualMidiPlatform::ClearSent() {
  std::lock_guard lock(mutex_);
  sent_.clear();
}

bool VirtualMidiPlatform::Record(unsigned port, bool isShort, const std::uint8_t* bytes,
                                 std::size_t count) {
  SentBuffer buffer;
  buffer.port = port;
  buffer.portName = outputs_[port].name;
  buffer.isShort = isShort;
  buffer.bytes.assign(bytes, bytes + count);
  buffer.at = std::chrono::steady_clock::now();
  if (capture_ != nullptr) {
    // "<ms since start> <port> <HEX>": a contract with the tools that read these files.
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(buffer.at - start_).count();
    std::string line = std::to_string(ms) + " " + std::to_string(port);
    char pair[4];
    for (std::size_t i = 0; i < count; ++i) {
      std::snprintf(pair, sizeof pair, " %.2X", bytes[i]);
      line += pair;
    }
    line += '\n';
    // A full disk must not pass for a send: the capture is this port's wire.
    if (std::fputs(line.c_str(), capture_) < 0 || std::fflush(capture_) != 0) {
      captureError_ = "Cannot write the MIDI capture file \"" + capturePath_ +
                      "\": " + std::strerror(errno) + ".";
      std::clearerr(capture_);
      return false;
    }
  }
  sent_.push_back(std::move(buffer));
  return true;
}

}  // namespace velmora

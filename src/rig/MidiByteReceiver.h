#pragma once

// Reads a MIDI 1.0 byte stream the way a hardware receiver does and hands on each complete
// message. Bytes may arrive in pieces of any size: a message split across two sends is
// still one message.
//
// - A channel message takes its data bytes after its status byte; a data byte after a
//   complete channel message starts another with the same status (running status).
// - A system real-time byte (F8..FF) is a message of its own wherever it comes, inside a
//   SysEx or between a status byte and its data, and interrupts nothing.
// - A status byte that arrives before the message in progress is complete drops that
//   message. A SysEx ends at F7; any other status byte ends it as incomplete, and it is
//   dropped.
// - A data byte with no message to belong to is ignored: the editor's stray 00 after a
//   SysEx, or after a system message.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace velmora {

// A SysEx longer than this, F0 and F7 included, is dropped.
inline constexpr std::size_t kLongestSysEx = 64 * 1024;

class MidiByteReceiver {
 public:
  using MessageHandler = std::function<void(std::span<const std::uint8_t> message)>;
  // Told once per overlong SysEx, with the first bytes it had, as soon as it passes the
  // limit; the rest of it is then ignored.
  using OverlongHandler = std::function<void(std::span<const std::uint8_t> start)>;

  MidiByteReceiver(MessageHandler onMessage, OverlongHandler onOverlong);

  void Feed(std::span<const std::uint8_t> bytes);

 private:
  void Take(std::uint8_t byte);
  void TakeStatus(std::uint8_t status);
  void TakeData(std::uint8_t data);
  void Deliver();

  MessageHandler onMessage_;
  OverlongHandler onOverlong_;
  std::vector<std::uint8_t> message_;  // the message in progress, status first
  std::uint8_t runningStatus_ = 0;     // 0: none
  std::size_t expected_ = 0;           // length of the message in progress; 0 for a SysEx
  bool inSysEx_ = false;
  bool overlong_ = false;
};

}  // namespace velmora

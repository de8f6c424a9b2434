#pragma once

// The receive-buffer cycle of an input port, as the Windows multimedia API runs it, for
// backends that must run it themselves. The caller prepares a buffer, adds it to the queue;
// SysEx bytes fill the buffer at the front; a buffer comes back (done, out of the queue)
// when a SysEx ends in it, when it is full, or when the port is stopped or reset.
//
// Not thread-safe: the owner serialises calls. Headers belong to the caller, who keeps
// each one alive while it is queued.

#include <cstdint>
#include <deque>
#include <span>
#include <vector>

#include "midi/MidiPlatform.h"

namespace velmora {

class MidiInputBufferQueue {
 public:
  MidiResult Prepare(MidiHeader& header);
  MidiResult Add(MidiHeader& header);
  MidiResult Unprepare(MidiHeader& header);

  // Stores the bytes of one SysEx event (the whole message, or a piece of it). Appends to
  // `returned`, in order, every buffer given back. Bytes that find no queued buffer are
  // lost, as on Windows, and counted.
  void AppendSysEx(std::span<const std::uint8_t> bytes, std::vector<MidiHeader*>& returned);

  // Stop: the buffer holding part of a SysEx comes back with what it holds; empty buffers
  // stay queued.
  void ReturnPartial(std::vector<MidiHeader*>& returned);
  // Reset: every queued buffer comes back, empty ones with 0 bytes recorded.
  void ReturnAll(std::vector<MidiHeader*>& returned);

  bool Empty() const { return queue_.empty(); }
  // SysEx bytes that arrived while no buffer was queued.
  std::uint64_t LostBytes() const { return lostBytes_; }

 private:
  void ReturnFront(std::vector<MidiHeader*>& returned);

  std::deque<MidiHeader*> queue_;
  std::uint64_t lostBytes_ = 0;
};

}  // namespace velmora

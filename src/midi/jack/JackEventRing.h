#pragma once

// Whole MIDI events between the process thread and ours, over a lock-free JACK ring buffer:
// each record is a tag (the handle of the port it belongs to) and the event's bytes. A record
// becomes visible to the reader in one step, so the reader never sees half of one. One writer
// and one reader at a time; neither side blocks or allocates, so both may run on the process
// thread.

#include <jack/ringbuffer.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace velmora {

class JackEventRing {
 public:
  struct Header {
    std::uint64_t tag = 0;
    std::uint32_t length = 0;
  };

  // Room for at least `bytes` bytes of records; Valid() is false when that cannot be had.
  explicit JackEventRing(std::size_t bytes);
  ~JackEventRing();
  JackEventRing(const JackEventRing&) = delete;
  JackEventRing& operator=(const JackEventRing&) = delete;

  bool Valid() const { return ring_ != nullptr; }
  // The longest event a record can ever carry.
  std::size_t LargestEvent() const;

  // False, writing nothing, when the whole record does not fit now.
  bool Push(std::uint64_t tag, std::span<const std::uint8_t> bytes);

  // The next record's header without taking it; false when the ring holds none.
  bool Peek(Header& header) const;
  // Takes the record Peek saw, copying its bytes to `to` (header.length bytes).
  void Take(const Header& header, std::uint8_t* to);
  // Drops the record Peek saw.
  void Skip(const Header& header);
  // Takes the next record whole; false when the ring holds none.
  bool Pop(Header& header, std::vector<std::uint8_t>& bytes);

  bool Empty() const { return jack_ringbuffer_read_space(ring_) == 0; }

 private:
  jack_ringbuffer_t* ring_ = nullptr;
};

}  // namespace velmora

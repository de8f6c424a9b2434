#include "midi/jack/JackEventRing.h"

#include <algorithm>
#include <cstring>

#if defined(__SANITIZE_THREAD__)
#define VELMORA_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define VELMORA_TSAN 1
#endif
#endif

#ifdef VELMORA_TSAN
extern "C" void __tsan_acquire(void* address);
extern "C" void __tsan_release(void* address);
#endif

namespace velmora {
namespace {

// libjack orders the ring's two ends in code ThreadSanitizer does not see; these tell it
// what that ordering guarantees: what one end copied before advancing is seen by the other
// end once it sees the advance. The release must come before the advance it stands for: an
// end that sees the advance before the release was told would look racy.
void Advanced([[maybe_unused]] jack_ringbuffer_t* ring) {
#ifdef VELMORA_TSAN
  __tsan_release(ring);
#endif
}

void SawAdvance([[maybe_unused]] jack_ringbuffer_t* ring) {
#ifdef VELMORA_TSAN
  __tsan_acquire(ring);
#endif
}

}  // namespace

JackEventRing::JackEventRing(std::size_t bytes) : ring_(jack_ringbuffer_create(bytes)) {}

JackEventRing::~JackEventRing() {
  if (ring_ != nullptr) {
    jack_ringbuffer_free(ring_);
  }
}

std::size_t JackEventRing::LargestEvent() const {
  // The ring keeps one byte free to tell full from empty.
  return ring_->size - 1 - sizeof(Header);
}

bool JackEventRing::Push(std::uint64_t tag, std::span<const std::uint8_t> bytes) {
  const Header header{tag, static_cast<std::uint32_t>(bytes.size())};
  const std::size_t total = sizeof header + bytes.size();
  if (jack_ringbuffer_write_space(ring_) < total) {
    return false;
  }
  SawAdvance(ring_);
  // Copied into the free space first and published with one advance: jack_ringbuffer_write
  // would publish the header before the bytes.
  jack_ringbuffer_data_t free[2];
  jack_ringbuffer_get_write_vector(ring_, free);
  std::size_t part = 0;
  std::size_t used = 0;
  const auto copy = [&](const void* from, std::size_t size) {
    const auto* source = static_cast<const char*>(from);
    while (size > 0) {
      const std::size_t room = std::min(size, free[part].len - used);
      std::memcpy(free[part].buf + used, source, room);
      source += room;
      size -= room;
      used += room;
      if (used == free[part].len) {
        ++part;
        used = 0;
      }
    }
  };
  copy(&header, sizeof header);
  copy(bytes.data(), bytes.size());
  Advanced(ring_);
  jack_ringbuffer_write_advance(ring_, total);
  return true;
}

bool JackEventRing::Peek(Header& header) const {
  if (jack_ringbuffer_read_space(ring_) < sizeof header) {
    return false;
  }
  SawAdvance(ring_);
  jack_ringbuffer_peek(ring_, reinterpret_cast<char*>(&header), sizeof header);
  return true;
}

void JackEventRing::Take(const Header& header, std::uint8_t* to) {
  Advanced(ring_);
  jack_ringbuffer_read_advance(ring_, sizeof header);
  jack_ringbuffer_peek(ring_, reinterpret_cast<char*>(to), header.length);
  Advanced(ring_);
  jack_ringbuffer_read_advance(ring_, header.length);
}

void JackEventRing::Skip(const Header& header) {
  Advanced(ring_);
  jack_ringbuffer_read_advance(ring_, sizeof header + header.length);
}

bool JackEventRing::Pop(Header& header, std::vector<std::uint8_t>& bytes) {
  if (!Peek(header)) {
    return false;
  }
  bytes.resize(header.length);
  Take(header, bytes.data());
  return true;
}

}  // namespace velmora

#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace velmora {

// A growable in-memory byte sequence with a read/write position: converted message text on
// the way out, received System Exclusive data on the way in.
class ByteStream {
 public:
  std::size_t Size() const { return bytes_.size(); }
  void SetSize(std::size_t size) { bytes_.resize(size); }
  std::size_t Position() const { return position_; }
  void SetPosition(std::size_t position) { position_ = position; }
  std::uint8_t* Data() { return bytes_.data(); }
  const std::uint8_t* Data() const { return bytes_.data(); }
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  void Append(const std::uint8_t* bytes, std::size_t count) {
    // resize + copy rather than insert: GCC 12 at -O3 reports a false overflow for inserting
    // a range into an empty vector.
    // A null source with no bytes is allowed, so memcpy only runs when there is something.
    const std::size_t old = bytes_.size();
    if (count > 0) {
      bytes_.resize(old + count);
      std::memcpy(bytes_.data() + old, bytes, count);
    }
    position_ = bytes_.size();
  }
  void Clear() {
    bytes_.clear();
    position_ = 0;
  }

 private:
  std::vector<std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

}  // namespace velmora

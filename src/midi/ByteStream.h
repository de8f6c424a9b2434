#pragma once

#include <cstddef>
#include <cstdint>
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
    bytes_.insert(bytes_.end(), bytes, bytes + count);
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

#pragma once

// Reads a message text back into byte values, so the tests check the bytes a record sends
// independently of how the tables spell them.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::testing {

// Strict form: two upper-case hexadecimal digits per byte, one blank between bytes.
inline std::vector<std::uint8_t> MessageBytes(std::string_view text) {
  auto digit = [&](char c) -> int {
    if (c >= '0' && c <= '9') {
      return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
      return c - 'A' + 10;
    }
    throw std::invalid_argument("not an upper-case hex digit in '" + std::string(text) + "'");
  };
  if ((text.size() + 1) % 3 != 0) {
    throw std::invalid_argument("bad message length: '" + std::string(text) + "'");
  }
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i < text.size(); i += 3) {
    if (i + 2 < text.size() && text[i + 2] != ' ') {
      throw std::invalid_argument("bytes not separated by one blank: '" + std::string(text) + "'");
    }
    bytes.push_back(static_cast<std::uint8_t>(digit(text[i]) * 16 + digit(text[i + 1])));
  }
  return bytes;
}

}  // namespace velmora::testing

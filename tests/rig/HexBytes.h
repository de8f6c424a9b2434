#pragma once

// Message text ("B0 0C 31") as the bytes a receiver gets.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "midi/Midi.h"

namespace velmora {

inline std::vector<std::uint8_t> BytesOf(std::string_view text) {
  ByteStream stream;
  HexTextToStream(std::string(text) + " 00", stream);  // the conversion drops the last pair
  return stream.Bytes();
}

}  // namespace velmora

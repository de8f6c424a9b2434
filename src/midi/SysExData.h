#pragma once

#include <array>
#include <cstdint>

#include "midi/ByteStream.h"
#include "midi/MidiPlatform.h"

namespace velmora {

// The receive buffer of one input port: the area the platform fills with long data, its
// header, and the stream that collects a returned buffer's bytes for the handler.
class TSysExData {
 public:
  static constexpr std::uint32_t kBufferSize = 2048;

  TSysExData() {
    Header.data = Buffer.data();
    Header.bufferLength = kBufferSize;
  }
  // The header points into this object, so it must never move while a port may use it.
  TSysExData(const TSysExData&) = delete;
  TSysExData& operator=(const TSysExData&) = delete;

  ByteStream Stream;
  MidiHeader Header;
  std::array<std::uint8_t, kBufferSize> Buffer{};
};

}  // namespace velmora

#pragma once

// Reading a capture file (VELMORA_MIDI_CAPTURE's lines: "<ms> <port> <HEX>") for the rig:
// each line one buffer as it was sent, with any bytes.

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

// Every buffer of the file in order. Throws std::runtime_error naming the file, and the line
// for a malformed one ("capture.txt:3: ..."), before anything of the file is used.
std::vector<std::vector<std::uint8_t>> ReadCapturedBuffers(const std::string& path);

}  // namespace velmora

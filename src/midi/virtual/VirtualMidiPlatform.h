#pragma once

// In-memory MIDI ports: the test seam, and the fallback on a machine without MIDI.
// Records every buffer sent, verbatim, and lets a test inject input.

#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "midi/MidiPlatform.h"

namespace velmora {

struct SentBuffer {
  unsigned port = 0;
  bool isShort = false;  // sent with OutputShort (3 packed bytes) rather than OutputLong
  std::vector<std::uint8_t> bytes;
  std::chrono::steady_clock::time_point at;
};

class VirtualMidiPlatform : public MidiPlatform {
 public:
  // Port names are "Virtual Out 1".., "Virtual In 1"..; capturePath empty = no capture file.
  VirtualMidiPlatform(unsigned outputs, unsigned inputs, std::string capturePath = {});

  // Snapshot of everything sent so far, in order.
  std::vector<SentBuffer> Sent() const;
  void ClearSent();

  // Input as a device would deliver it; blocks until the notification has run.
  void InjectShort(unsigned port, std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
  void InjectLong(unsigned port, std::span<const std::uint8_t> bytes);

  // Fault injection: the next call of the named operation (e.g. "OutputOpen") returns result.
  void FailNext(const std::string& operation, MidiResult result);
};

}  // namespace velmora

// Inputs the fuzzer found, kept as regressions: what an input port makes of bytes that no
// well-behaved device sends.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "midi/MidiInputPort.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;

void Procedure(MidiHandle, std::uint32_t, std::uintptr_t, std::uintptr_t, std::uintptr_t) {}

// A complete SysEx in an event not marked as SysEx, between two short messages: the short
// messages come as data in their order, the SysEx whole in the receive buffer, never packed
// as a short message that keeps only "F0 01 02".
TEST(InputHostileBytesTest, AWholeSysExInAShortEventGoesToTheBuffer) {
  MidiInputPort port(7, &Procedure, 3);
  std::array<std::uint8_t, 8> bytes{};
  MidiHeader buffer;
  buffer.data = bytes.data();
  buffer.bufferLength = static_cast<std::uint32_t>(bytes.size());
  ASSERT_EQ(port.Prepare(buffer), kMidiOk);
  ASSERT_EQ(port.Add(buffer), kMidiOk);
  const auto start = MidiInputPort::Clock::now();
  port.Start(start);

  MidiInputPort::Notifications out;
  const std::vector<std::uint8_t> event = {0x90, 0x3C, 0x7F, 0xF0, 0x01,
                                           0x02, 0x03, 0xF7, 0xC0, 0x0E};
  port.Receive(event, false, start, out);

  std::vector<std::uint32_t> kinds;
  std::vector<std::uintptr_t> params;
  for (const MidiNotification& n : out) {
    kinds.push_back(n.message);
    params.push_back(n.param1);
  }
  EXPECT_THAT(kinds, ElementsAre(kMimData, kMimLongData, kMimData));
  EXPECT_THAT(params, ElementsAre(0x7F3C90u, reinterpret_cast<std::uintptr_t>(&buffer), 0x0EC0u));
  EXPECT_EQ(buffer.bytesRecorded, 5u);
  EXPECT_THAT(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 5),
              ElementsAre(0xF0, 0x01, 0x02, 0x03, 0xF7));
}

}  // namespace
}  // namespace velmora

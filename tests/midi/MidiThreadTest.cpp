#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "VirtualMidiFixture.h"

namespace velmora {
namespace {

using MidiThreadTest = VirtualMidiTest;

// Input floods in on the notification side, each short message forwarded (the thru opens
// output 1 on demand), while this thread opens, sends to and closes the same ports.
TEST_F(MidiThreadTest, InputFloodWhilePortsOpenSendAndClose) {
  TMidiInput& input = GetMidiInput();
  TMidiOutput& output = GetMidiOutput();
  std::atomic<int> shorts = 0;
  std::atomic<int> longs = 0;
  input.SetOnShortReceived([&](int, std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    ++shorts;
    GetMidiOutput().SendShort(1, status, data1, data2);
  });
  input.SetOnSysExReceived([&](int, ByteStream& stream) {
    // Never joined with, or torn by, another delivery.
    EXPECT_EQ(StreamToHexText(stream), "F0 7E 7F F7 ");
    ++longs;
  });

  std::atomic<bool> stop = false;
  std::thread device([&] {
    const std::uint8_t sysEx[] = {0xF0, 0x7E, 0x7F, 0xF7};
    while (!stop) {
      platform_->InjectShort(0, 0x90, 0x3C, 0x7F);
      platform_->InjectLong(0, sysEx);
      platform_->InjectLong(1, sysEx);
    }
  });
  // Until enough has crossed over, whatever the scheduler does; the cap only ends a stuck run.
  for (int round = 0; round < 100000 && (shorts < 200 || longs < 200); ++round) {
    input.OpenDevice(0);
    input.OpenDevice(1);
    output.OpenDevice(0);
    output.SendText(0, "B0 0C 31 00");
    input.CloseDevice(round % 2);
    output.CloseDevice(0);
    if (round % 3 == 0 && output.HandleOf(1) != kNoHandle) {
      output.CloseDevice(1);
    }
    if (round % 10 == 0) {
      platform_->ClearSent();
    }
  }
  stop = true;
  device.join();
  EXPECT_GE(shorts, 200);
  EXPECT_GE(longs, 200);

  // The thru may find output 1 closed between its open and its send; nothing else fails.
  for (std::string text; input.TakeNotificationError(text);) {
    EXPECT_EQ(text, "The MIDI port is not open.");
  }
}

}  // namespace
}  // namespace velmora

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "VirtualMidiFixture.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class PortRescanTest : public VirtualMidiTest {
 protected:
  // Every open port, as "index name", in device order.
  static std::vector<std::string> OpenPorts(const TMidiDevices& devices) {
    std::vector<std::string> open;
    const std::vector<std::string> names = devices.DeviceNames();
    for (int index = 0; index < devices.DeviceCount(); ++index) {
      if (devices.HandleOf(index) != kNoHandle) {
        open.push_back(std::to_string(index) + " " + names[static_cast<std::size_t>(index)]);
      }
    }
    return open;
  }
};

TEST_F(PortRescanTest, OpenOutputPortsKeepTheirHandlesByNameWhileIndicesMoveAndGoneOnesClose) {
  CallRecordingPlatform& platform = Install<CallRecordingPlatform>(2, 0);
  TMidiOutput& output = GetMidiOutput();
  output.OpenDevice(1);
  const MidiHandle handle = output.HandleOf(1);
  platform.InsertOutput(0, "USB Keys");
  platform.InsertOutput(9, "Virtual Out 1");  // a second port of a name already there
  EXPECT_THAT(output.DeviceNames(), ElementsAre("Virtual Out 1", "Virtual Out 2"));
  output.Rescan();
  EXPECT_THAT(output.DeviceNames(),
              ElementsAre("USB Keys", "Virtual Out 1", "Virtual Out 2", "Virtual Out 1"));
  EXPECT_THAT(OpenPorts(output), ElementsAre("2 Virtual Out 2"));
  EXPECT_EQ(output.HandleOf(2), handle);
  output.SendText(2, "B0 07 64 00");
  output.OpenDevice(3);
  output.SendShort(3, 0xC0, 0x01, 0x00);
  EXPECT_THAT(LongBuffers(), ElementsAre("2: B0 07 64"));

  // The open port goes: closed once, its refusal kept quiet; the others keep their places.
  platform.RemoveOutput(2);
  output.Rescan();
  EXPECT_THAT(output.DeviceNames(), ElementsAre("USB Keys", "Virtual Out 1", "Virtual Out 1"));
  EXPECT_THAT(OpenPorts(output), ElementsAre("2 Virtual Out 1"));
  const std::vector<std::string> calls = platform.Calls();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "OutputClose"), 1);
  // Back again: a new, closed port, opened on demand like any other.
  platform.InsertOutput(0, "Virtual Out 2");
  output.Rescan();
  EXPECT_THAT(OpenPorts(output), ElementsAre("3 Virtual Out 1"));
  output.SendShort(0, 0x90, 0x3C, 0x7F);
  EXPECT_EQ(platform.Sent().back().port, 0u);
  EXPECT_EQ(ErrorOf([&] { output.OpenDevice(4); }), "TMidiOutput: Device index out of bounds! (4)");
}

TEST_F(PortRescanTest, InputFollowsItsPortToItsNewIndexAndAPulledPortClosesWithoutAnError) {
  TMidiInput& input = GetMidiInput();
  std::vector<std::string> received;
  input.SetOnShortReceived([&](int device, std::uint8_t status, std::uint8_t, std::uint8_t) {
    received.push_back(std::to_string(device) + ": " + Hex({status}));
  });
  input.SetOnSysExReceived([&](int device, ByteStream& stream) {
    received.push_back(std::to_string(device) + ": " + Hex(stream.Bytes()));
  });
  input.OpenDevice(1);
  platform_->InsertInput(0, "USB Pads");
  input.Rescan();
  EXPECT_THAT(OpenPorts(input), ElementsAre("2 Virtual In 2"));
  platform_->InjectShort(2, 0x90, 0x3C, 0x7F);
  const std::vector<std::uint8_t> sysEx = {0xF0, 0x01, 0xF7};
  platform_->InjectLong(2, sysEx);
  EXPECT_THAT(received, ElementsAre("2: 90", "2: F0 01 F7"));

  platform_->RemoveInput(2);
  input.Rescan();
  EXPECT_THAT(input.DeviceNames(), ElementsAre("USB Pads", "Virtual In 1"));
  EXPECT_THAT(OpenPorts(input), IsEmpty());
  std::string error;
  EXPECT_FALSE(input.TakeNotificationError(error)) << error;
  input.OpenDevice(1);
  input.CloseDevice(1);
}

// The notification thread forwards through the output object while the user-interface
// thread rescans both lists: run under ThreadSanitizer, this must stay silent.
TEST_F(PortRescanTest, RescansRaceNoSendOrDelivery) {
  TMidiInput& input = GetMidiInput();
  TMidiOutput& output = GetMidiOutput();
  std::atomic<int> forwarded = 0;
  input.SetOnShortReceived([&](int, std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    try {
      output.SendShort(output.DeviceCount() - 1, status, data1, data2);
      ++forwarded;
    } catch (const MidiError&) {
      // A port pulled out in the same instant: refused, never a crash.
    }
  });
  input.OpenDevice(0);
  std::atomic<bool> stop = false;
  std::thread device([&] {
    while (!stop) {
      platform_->InjectShort(0, 0xB0, 0x07, 0x64);
    }
  });
  // At least 200 rounds, and on until forwards have crossed them, whatever the scheduler does;
  // the cap only ends a stuck run.
  for (int round = 0; round < 100000 && (round < 200 || forwarded < 100); ++round) {
    platform_->InsertOutput(0, "Hot");
    platform_->InsertInput(5, "Hot In");
    output.Rescan();
    input.Rescan();
    platform_->RemoveOutput(0);
    platform_->RemoveInput(2);
    output.Rescan();
    input.Rescan();
  }
  stop = true;
  device.join();
  EXPECT_THAT(output.DeviceNames(), ElementsAre("Virtual Out 1", "Virtual Out 2"));
  EXPECT_THAT(OpenPorts(input), ElementsAre("0 Virtual In 1"));
  EXPECT_GT(forwarded.load(), 0);
}

}  // namespace
}  // namespace velmora

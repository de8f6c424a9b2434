#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "VirtualMidiFixture.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class MidiInputTest : public VirtualMidiTest {
 protected:
  void SetUp() override {
    VirtualMidiTest::SetUp();
    ListenTo(GetMidiInput());
  }

  void ListenTo(TMidiInput& input) {
    input.SetOnShortReceived(
        [this](int device, std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
          received.push_back(std::to_string(device) + ": " + Hex({status, data1, data2}));
        });
    input.SetOnSysExReceived([this](int device, ByteStream& stream) {
      EXPECT_EQ(stream.Position(), 0u);
      received.push_back(std::to_string(device) + ": " + Hex(stream.Bytes()));
    });
  }

  void InjectLong(unsigned port, std::vector<std::uint8_t> bytes) {
    platform_->InjectLong(port, bytes);
  }

  std::vector<std::string> Errors() {
    std::vector<std::string> errors;
    std::string text;
    while (GetMidiInput().TakeNotificationError(text)) {
      errors.push_back(text);
    }
    return errors;
  }

  std::vector<std::string> received;
};

TEST_F(MidiInputTest, ShortMessagesReachTheHandlerUnpacked) {
  GetMidiInput().OpenDevice(1);
  platform_->InjectShort(1, 0xB0, 0x07, 0x64);
  platform_->InjectShort(0, 0x90, 0x3C, 0x7F);  // port 0 is not open: nowhere to go
  // The platform's notification as it stands: status, data 1, data 2 in bits 0-23.
  MidiInCallback(0, kMimData, 0, 0x7F3C90, 0);
  EXPECT_THAT(received, ElementsAre("1: B0 07 64", "0: 90 3C 7F"));
}

TEST_F(MidiInputTest, OtherNotificationsAreIgnored) {
  GetMidiInput().OpenDevice(0);
  for (std::uint32_t message : {kMimOpen, kMimClose, kMimError, kMimLongError, kMimMoreData}) {
    MidiInCallback(0, message, 0, 0x7F3C90, 0);
  }
  EXPECT_THAT(received, IsEmpty());
  EXPECT_THAT(Errors(), IsEmpty());
}

TEST_F(MidiInputTest, EachReturnedBufferIsOneDeliveryAndGoesBackIntoTheQueue) {
  GetMidiInput().OpenDevice(0);
  InjectLong(0, {0xF0, 0x7E, 0x7F, 0xF7});
  InjectLong(0, {0xF0, 0x01, 0xF7});
  EXPECT_THAT(received, ElementsAre("0: F0 7E 7F F7", "0: F0 01 F7"));
}

TEST_F(MidiInputTest, DataLongerThanTheBufferArrivesInPiecesThatAreNotJoined) {
  GetMidiInput().OpenDevice(0);
  std::vector<std::size_t> sizes;
  GetMidiInput().SetOnSysExReceived(
      [&](int, ByteStream& stream) { sizes.push_back(stream.Size()); });
  InjectLong(0, std::vector<std::uint8_t>(3000, 0x11));
  EXPECT_THAT(sizes, ElementsAre(2048u, 952u));
}

TEST_F(MidiInputTest, WithoutAHandlerTheBufferStillCycles) {
  TMidiInput& input = GetMidiInput();
  input.SetOnSysExReceived(nullptr);
  input.OpenDevice(0);
  InjectLong(0, {0xF0, 0x01, 0xF7});
  ListenTo(input);
  InjectLong(0, {0xF0, 0x02, 0xF7});
  EXPECT_THAT(received, ElementsAre("0: F0 02 F7"));
}

TEST_F(MidiInputTest, TheBufferIsQueuedAgainBeforeTheHandlerRuns) {
  auto& platform = Install<CallRecordingPlatform>(0, 1);
  GetMidiInput().SetOnSysExReceived([&](int, ByteStream&) { platform.Note("handler"); });
  GetMidiInput().OpenDevice(0);
  platform.InjectLong(0, std::vector<std::uint8_t>{0xF0, 0xF7});
  EXPECT_THAT(platform.Calls(), ElementsAre("InputAddBuffer", "InputAddBuffer", "handler"));
}

TEST_F(MidiInputTest, ClosingGivesTheBufferBackEmptyWithoutADeliveryOrARequeue) {
  auto& platform = Install<CallRecordingPlatform>(0, 1);
  ListenTo(GetMidiInput());
  GetMidiInput().OpenDevice(0);
  GetMidiInput().CloseDevice(0);
  // Unprepare and close would be refused while the buffer sat in the queue.
  EXPECT_THAT(platform.Calls(), ElementsAre("InputAddBuffer", "InputStop", "InputReset",
                                            "InputUnprepare", "InputClose"));
  EXPECT_THAT(received, IsEmpty());
  EXPECT_EQ(GetMidiInput().HandleOf(0), kNoHandle);
  GetMidiInput().CloseDevice(0);  // closed already: nothing happens
  EXPECT_EQ(platform.Calls().size(), 5u);
  // And the port opens and receives again.
  GetMidiInput().OpenDevice(0);
  platform.InjectLong(0, std::vector<std::uint8_t>{0xF0, 0xF7});
  EXPECT_THAT(received, ElementsAre("0: F0 F7"));
}

TEST_F(MidiInputTest, AnErrorInAHandlerStaysOnTheNotificationThreadAndWaitsInTheQueue) {
  TMidiInput& input = GetMidiInput();
  input.OpenDevice(0);
  input.SetOnShortReceived([](int, std::uint8_t, std::uint8_t, std::uint8_t) {
    throw std::runtime_error("thru refused");
  });
  input.SetOnSysExReceived([](int, ByteStream&) { throw 42; });
  platform_->InjectShort(0, 0x90, 0x3C, 0x7F);
  InjectLong(0, {0xF0, 0x01, 0xF7});
  EXPECT_THAT(Errors(),
              ElementsAre("thru refused", "Unexpected error while receiving MIDI input."));
  // The buffer went back into the queue and its stream was emptied all the same.
  ListenTo(input);
  InjectLong(0, {0xF0, 0x02, 0xF7});
  EXPECT_THAT(received, ElementsAre("0: F0 02 F7"));
}

TEST_F(MidiInputTest, ARefusedRequeueStillDeliversWhatArrivedAndIsQueuedAsAnError) {
  GetMidiInput().OpenDevice(0);
  platform_->FailNext("InputAddBuffer", kMidiNoMemory);
  InjectLong(0, {0xF0, 0x01, 0xF7});
  EXPECT_THAT(received, ElementsAre("0: F0 01 F7"));
  EXPECT_THAT(Errors(), ElementsAre("Not enough memory for the MIDI operation."));
  // No buffer is queued now: like a device, the platform loses what comes next.
  InjectLong(0, {0xF0, 0x02, 0xF7});
  EXPECT_EQ(received.size(), 1u);
}

TEST_F(MidiInputTest, ANotificationForAPortOutsideTheListIsCaught) {
  MidiInCallback(0, kMimLongData, 9, 0, 0);
  EXPECT_THAT(Errors(), ElementsAre("TMidiInput: Device index out of bounds! (9)"));
}

TEST_F(MidiInputTest, AFailedOpenStoresNoHandleWhileLaterStepsKeepItAndAnOpenPortStays) {
  TMidiInput& input = GetMidiInput();
  platform_->FailNext("InputOpen", kMidiBadDeviceId);
  EXPECT_EQ(ErrorOf([&] { input.OpenDevice(0); }), "There is no MIDI port with this number.");
  EXPECT_EQ(input.HandleOf(0), kNoHandle);
  for (const char* step : {"InputPrepare", "InputAddBuffer", "InputStart"}) {
    platform_->FailNext(step, kMidiNoMemory);
    EXPECT_EQ(ErrorOf([&] { input.OpenDevice(0); }), "Not enough memory for the MIDI operation.")
        << step;
    EXPECT_NE(input.HandleOf(0), kNoHandle) << step;
    input.CloseDevice(0);
    EXPECT_EQ(input.HandleOf(0), kNoHandle) << step;
  }
  // Open already: one handle, and no platform call that could fail.
  input.OpenDevice(0);
  const MidiHandle handle = input.HandleOf(0);
  platform_->FailNext("InputOpen", kMidiAllocated);
  input.OpenDevice(0);
  EXPECT_EQ(input.HandleOf(0), handle);
  EXPECT_EQ(ErrorOf([&] { input.OpenDevice(1); }), "The MIDI port is already in use.");
}

TEST_F(MidiInputTest, ReleasingTheDevicesStopsResetsAndClosesOpenInputPorts) {
  auto& platform = Install<CallRecordingPlatform>(0, 2);
  ListenTo(GetMidiInput());
  GetMidiInput().OpenDevice(1);
  ReleaseMidiDevices();
  EXPECT_THAT(platform.Calls(), ElementsAre("InputAddBuffer", "InputStop", "InputReset",
                                            "InputUnprepare", "InputClose"));
  EXPECT_THAT(received, IsEmpty());
  MidiHandle handle = kNoHandle;
  EXPECT_EQ(platform.InputOpen(handle, 1, nullptr, 0), kMidiOk);
  EXPECT_EQ(platform.InputClose(handle), kMidiOk);
}

}  // namespace
}  // namespace velmora

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "VirtualMidiFixture.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using MidiOutputTest = VirtualMidiTest;

TEST_F(MidiOutputTest, ListsThePortsInDeviceOrder) {
  EXPECT_THAT(GetMidiOutput().DeviceNames(), ElementsAre("Virtual Out 1", "Virtual Out 2"));
  EXPECT_THAT(GetMidiInput().DeviceNames(), ElementsAre("Virtual In 1", "Virtual In 2"));
  EXPECT_EQ(GetMidiOutput().HandleOf(0), kNoHandle);
}

TEST_F(MidiOutputTest, AnIndexOutsideTheListIsReportedWithTheClassName) {
  Install(0, 0);
  EXPECT_THAT(GetMidiOutput().DeviceNames(), IsEmpty());
  EXPECT_THAT(GetMidiInput().DeviceNames(), IsEmpty());
  EXPECT_EQ(ErrorOf([] { GetMidiOutput().OpenDevice(0); }),
            "TMidiOutput: Device index out of bounds! (0)");
  EXPECT_EQ(ErrorOf([] { GetMidiInput().OpenDevice(0); }),
            "TMidiInput: Device index out of bounds! (0)");
  Install(2, 2);
  EXPECT_EQ(ErrorOf([] { GetMidiOutput().OpenDevice(-1); }),
            "TMidiOutput: Device index out of bounds! (-1)");
  EXPECT_EQ(ErrorOf([] { GetMidiOutput().SendText(2, "B0 0C 31 00"); }),
            "TMidiOutput: Device index out of bounds! (2)");
  EXPECT_EQ(ErrorOf([] { GetMidiOutput().SendShort(-5, 0x90, 0, 0); }),
            "TMidiOutput: Device index out of bounds! (-5)");
  EXPECT_EQ(ErrorOf([] { GetMidiOutput().CloseDevice(7); }),
            "TMidiOutput: Device index out of bounds! (7)");
  EXPECT_EQ(ErrorOf([] { GetMidiInput().CloseDevice(2); }),
            "TMidiInput: Device index out of bounds! (2)");
}

TEST_F(MidiOutputTest, OpeningAnOpenPortKeepsItsHandleAndCallsNoPlatform) {
  TMidiOutput& output = GetMidiOutput();
  output.OpenDevice(1);
  const MidiHandle handle = output.HandleOf(1);
  ASSERT_NE(handle, kNoHandle);
  // A second platform open would consume this failure.
  platform_->FailNext("OutputOpen", kMidiNoDriver);
  output.OpenDevice(1);
  EXPECT_EQ(output.HandleOf(1), handle);
  EXPECT_EQ(ErrorOf([&] { output.OpenDevice(0); }), "The MIDI port has no working driver.");
}

TEST_F(MidiOutputTest, ClosingAClosedOutputPortRaisesThePlatformsText) {
  TMidiOutput& output = GetMidiOutput();
  EXPECT_EQ(ErrorOf([&] { output.CloseDevice(0); }), "The MIDI port is not open.");
  EXPECT_EQ(output.LastResult(), kMidiInvalidHandle);
  output.OpenDevice(0);
  output.CloseDevice(0);
  EXPECT_EQ(output.HandleOf(0), kNoHandle);
  EXPECT_EQ(output.LastResult(), kMidiOk);
}

TEST_F(MidiOutputTest, AFailedOpenStoresNoHandleAndAFailedCloseKeepsIt) {
  TMidiOutput& output = GetMidiOutput();
  platform_->FailNext("OutputOpen", kMidiAllocated);
  EXPECT_EQ(ErrorOf([&] { output.OpenDevice(0); }), "The MIDI port is already in use.");
  EXPECT_EQ(output.HandleOf(0), kNoHandle);
  output.OpenDevice(0);
  platform_->FailNext("OutputClose", kMidiStillPlaying);
  EXPECT_EQ(ErrorOf([&] { output.CloseDevice(0); }), "The MIDI port is still using the buffer.");
  EXPECT_NE(output.HandleOf(0), kNoHandle);
}

TEST_F(MidiOutputTest, ACodeWithoutATextIsStillAnError) {
  platform_->FailNext("OutputOpen", 999);
  EXPECT_EQ(ErrorOf([] { GetMidiOutput().OpenDevice(0); }),
            "The MIDI system refused the operation (code 999).");
  EXPECT_EQ(GetMidiOutput().LastResult(), 999u);
  EXPECT_EQ(GetMidiOutput().HandleOf(0), kNoHandle);
}

TEST_F(MidiOutputTest, SendShortOpensAClosedPortAndPacksTheBytes) {
  TMidiOutput& output = GetMidiOutput();
  output.SendShort(1, 0x90, 0x3C, 0x7F);
  EXPECT_NE(output.HandleOf(1), kNoHandle);
  const std::vector<SentBuffer> sent = platform_->Sent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_TRUE(sent[0].isShort);
  EXPECT_EQ(sent[0].port, 1u);
  EXPECT_THAT(sent[0].bytes, ElementsAre(0x90, 0x3C, 0x7F));
}

TEST_F(MidiOutputTest, EveryTextGoesOutAsOneLongBuffer) {
  TMidiOutput& output = GetMidiOutput();
  output.OpenDevice(1);
  output.SendText(1, "B0 0C 31 00");
  output.SendText(1, "C0 0E 00");
  output.SendText(1, "F0 00 01 0C 03 08 01 00 F7 00");
  EXPECT_THAT(LongBuffers(),
              ElementsAre("1: B0 0C 31", "1: C0 0E", "1: F0 00 01 0C 03 08 01 00 F7"));
}

TEST_F(MidiOutputTest, SendStreamSendsTheWholeStreamFromTheStart) {
  TMidiOutput& output = GetMidiOutput();
  output.OpenDevice(0);
  ByteStream stream;
  const std::uint8_t bytes[] = {0xF0, 0x7E, 0xF7};
  stream.Append(bytes, sizeof bytes);
  output.SendStream(0, stream);
  EXPECT_THAT(LongBuffers(), ElementsAre("0: F0 7E F7"));
  EXPECT_EQ(stream.Position(), 0u);
}

TEST_F(MidiOutputTest, SendingToAClosedPortRaisesAndSendsNothing) {
  TMidiOutput& output = GetMidiOutput();
  EXPECT_EQ(ErrorOf([&] { output.SendText(0, "B0 0C 31 00"); }), "The MIDI port is not open.");
  EXPECT_THAT(platform_->Sent(), IsEmpty());
  EXPECT_EQ(output.HandleOf(0), kNoHandle);
}

TEST_F(MidiOutputTest, AnEmptyMessageSendsNothingAndRaisesNothing) {
  TMidiOutput& output = GetMidiOutput();
  output.SendText(0, " 00");  // closed port: still nothing to refuse
  output.OpenDevice(0);
  output.SendText(0, "");
  output.SendText(0, "7 00");
  EXPECT_THAT(platform_->Sent(), IsEmpty());
  EXPECT_EQ(ErrorOf([&] { output.SendText(3, " 00"); }),
            "TMidiOutput: Device index out of bounds! (3)");
}

TEST_F(MidiOutputTest, AFailingSendStepRaisesAndSkipsTheStepsAfterIt) {
  TMidiOutput& output = GetMidiOutput();
  output.OpenDevice(0);
  platform_->FailNext("OutputPrepare", kMidiNoMemory);
  EXPECT_EQ(ErrorOf([&] { output.SendText(0, "B0 0C 31 00"); }),
            "Not enough memory for the MIDI operation.");
  platform_->FailNext("OutputLong", kMidiNotReady);
  EXPECT_EQ(ErrorOf([&] { output.SendText(0, "B0 0C 32 00"); }),
            "The MIDI port is busy and cannot take the message now.");
  EXPECT_THAT(platform_->Sent(), IsEmpty());
  // Refused after the bytes went out: the error is raised all the same.
  platform_->FailNext("OutputUnprepare", kMidiStillPlaying);
  EXPECT_EQ(ErrorOf([&] { output.SendText(0, "B0 0C 33 00"); }),
            "The MIDI port is still using the buffer.");
  EXPECT_THAT(LongBuffers(), ElementsAre("0: B0 0C 33"));
  EXPECT_EQ(output.LastResult(), kMidiStillPlaying);
  output.SendText(0, "B0 0C 34 00");
  EXPECT_EQ(output.LastResult(), kMidiOk);
}

TEST_F(MidiOutputTest, ABufferRefusedBySendIsUnpreparedBeforeTheErrorLeaves) {
  auto& platform = Install<CallRecordingPlatform>(1, 0);
  GetMidiOutput().OpenDevice(0);
  GetMidiOutput().SendText(0, "B0 0C 31 00");
  platform.FailNext("OutputLong", kMidiNotReady);
  ErrorOf([] { GetMidiOutput().SendText(0, "B0 0C 31 00"); });
  EXPECT_THAT(platform.Calls(), ElementsAre("OutputPrepare", "OutputLong", "OutputUnprepare",  //
                                            "OutputPrepare", "OutputLong", "OutputUnprepare"));
}

TEST_F(MidiOutputTest, ReleasingTheDevicesClosesTheOpenOutputPorts) {
  auto& platform = Install<CallRecordingPlatform>(3, 0);
  GetMidiOutput().OpenDevice(0);
  GetMidiOutput().OpenDevice(2);
  ReleaseMidiDevices();
  EXPECT_THAT(platform.Calls(), ElementsAre("OutputClose", "OutputClose"));
  MidiHandle handle = kNoHandle;
  EXPECT_EQ(platform.OutputOpen(handle, 2), kMidiOk);
  EXPECT_EQ(platform.OutputClose(handle), kMidiOk);
}

}  // namespace
}  // namespace velmora

#ifdef VELMORA_HAVE_ALSA

#include "midi/alsa/AlsaMidiPlatform.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "midi/HaveSequencer.h"
#include "midi/alsa/AlsaResult.h"

namespace velmora {
namespace {

TEST(AlsaMidiPlatformTest, WithoutASequencerThereAreNoPortsAndNothingIsPrinted) {
  if (HaveSequencer()) {
    GTEST_SKIP() << "this machine has a sequencer";
  }
  testing::internal::CaptureStderr();
  auto platform = MakeAlsaMidiPlatform();
  EXPECT_EQ(platform->OutputCount(), 0u);
  EXPECT_EQ(platform->InputCount(), 0u);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  MidiHandle handle = kNoHandle;
  EXPECT_EQ(platform->OutputOpen(handle, 0), kMidiBadDeviceId);
  EXPECT_EQ(platform->InputOpen(handle, 0, nullptr, 0), kMidiBadDeviceId);
  EXPECT_EQ(handle, kNoHandle);
}

TEST(AlsaMidiPlatformTest, PortNumbersPastTheListAreRefused) {
  auto platform = MakeAlsaMidiPlatform();
  const unsigned outputs = platform->OutputCount();
  const unsigned inputs = platform->InputCount();
  std::string name = "unchanged";
  EXPECT_EQ(platform->OutputName(outputs, name), kMidiBadDeviceId);
  EXPECT_EQ(platform->InputName(inputs, name), kMidiBadDeviceId);
  EXPECT_EQ(name, "unchanged");
  MidiHandle handle = kNoHandle;
  EXPECT_EQ(platform->OutputOpen(handle, outputs), kMidiBadDeviceId);
  EXPECT_EQ(platform->InputOpen(handle, inputs, nullptr, 0), kMidiBadDeviceId);
}

TEST(AlsaMidiPlatformTest, EveryCallOnAPortNotOpenIsAnInvalidHandle) {
  auto platform = MakeAlsaMidiPlatform();
  std::uint8_t byte = 0xF8;
  MidiHeader header{&byte, 1, 0, 0};
  for (const MidiHandle handle : {kNoHandle, MidiHandle{1}, MidiHandle{0xDEADBEEF}}) {
    EXPECT_EQ(platform->OutputShort(handle, 0x0031'0CB0), kMidiInvalidHandle);
    EXPECT_EQ(platform->OutputPrepare(handle, header), kMidiInvalidHandle);
    EXPECT_EQ(platform->OutputLong(handle, header), kMidiInvalidHandle);
    EXPECT_EQ(platform->OutputUnprepare(handle, header), kMidiInvalidHandle);
    EXPECT_EQ(platform->OutputClose(handle), kMidiInvalidHandle);
    EXPECT_EQ(platform->InputPrepare(handle, header), kMidiInvalidHandle);
    EXPECT_EQ(platform->InputAddBuffer(handle, header), kMidiInvalidHandle);
    EXPECT_EQ(platform->InputUnprepare(handle, header), kMidiInvalidHandle);
    EXPECT_EQ(platform->InputStart(handle), kMidiInvalidHandle);
    EXPECT_EQ(platform->InputStop(handle), kMidiInvalidHandle);
    EXPECT_EQ(platform->InputReset(handle), kMidiInvalidHandle);
    EXPECT_EQ(platform->InputClose(handle), kMidiInvalidHandle);
  }
  EXPECT_EQ(header.flags, 0u);
}

TEST(AlsaMidiPlatformTest, ShortMessagesThatAreNotMidiAreRefusedBeforeAnyPortLookup) {
  auto platform = MakeAlsaMidiPlatform();
  EXPECT_EQ(platform->OutputShort(1, 0x0000'0C31), kMidiInvalidParam);  // no status byte
  EXPECT_EQ(platform->OutputShort(1, 0x0000'00F0), kMidiInvalidParam);  // SysEx
  EXPECT_EQ(platform->OutputShort(1, 0x0000'00F7), kMidiInvalidParam);
  EXPECT_EQ(platform->OutputShort(1, 0x0000'00F4), kMidiInvalidParam);
  EXPECT_EQ(platform->OutputShort(1, 0x0000'8CB0), kMidiInvalidParam);  // data byte 8C
}

TEST(AlsaMidiPlatformTest, ErrorTextsAreOurOwn) {
  auto platform = MakeAlsaMidiPlatform();
  std::string text;
  ASSERT_TRUE(platform->ErrorText(kMidiInvalidHandle, text));
  EXPECT_EQ(text, "The MIDI port is not open.");
  ASSERT_TRUE(platform->ErrorText(kMidiBadDeviceId, text));
  EXPECT_EQ(text, "There is no MIDI port with this number.");
  EXPECT_FALSE(platform->ErrorText(12345, text));
}

TEST(AlsaMidiPlatformTest, ErrnoValuesMapToResultCodes) {
  EXPECT_EQ(AlsaErrorToResult(0), kMidiOk);
  EXPECT_EQ(AlsaErrorToResult(-ENOMEM), kMidiNoMemory);
  EXPECT_EQ(AlsaErrorToResult(-EBUSY), kMidiAllocated);
  EXPECT_EQ(AlsaErrorToResult(-EAGAIN), kMidiNotReady);
  EXPECT_EQ(AlsaErrorToResult(-ENOENT), kMidiBadDeviceId);
  EXPECT_EQ(AlsaErrorToResult(-ENXIO), kMidiBadDeviceId);
  EXPECT_EQ(AlsaErrorToResult(-ENODEV), kMidiBadDeviceId);
  EXPECT_EQ(AlsaErrorToResult(-EINVAL), kMidiBadDeviceId);
  EXPECT_EQ(AlsaErrorToResult(-EPERM), kMidiBadDeviceId);
  EXPECT_EQ(AlsaErrorToResult(-EIO), kMidiNoDriver);
}

}  // namespace
}  // namespace velmora

#endif

#include "midi/virtual/VirtualMidiPlatform.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <stdexcept>

#include "midi/Midi.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> LinesOf(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  return lines;
}

class VirtualMidiPlatformTest : public ::testing::Test {
 protected:
  ~VirtualMidiPlatformTest() override { std::filesystem::remove(capturePath_); }

  std::filesystem::path capturePath_ =
      std::filesystem::temp_directory_path() /
      ("velmora-capture-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
       "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

TEST_F(VirtualMidiPlatformTest, OutputResultCodesFollowTheMultimediaApi) {
  VirtualMidiPlatform platform(2, 0);
  MidiHandle handle = kNoHandle;
  EXPECT_EQ(platform.OutputOpen(handle, 2), kMidiBadDeviceId);
  ASSERT_EQ(platform.OutputOpen(handle, 0), kMidiOk);
  MidiHandle second = kNoHandle;
  EXPECT_EQ(platform.OutputOpen(second, 0), kMidiAllocated);
  std::uint8_t bytes[] = {0xB0, 0x0C, 0x31};
  MidiHeader header;
  header.data = bytes;
  header.bufferLength = sizeof bytes;
  EXPECT_EQ(platform.OutputLong(handle, header), kMidiUnprepared);
  MidiHeader noData;
  noData.bufferLength = 4;
  EXPECT_EQ(platform.OutputPrepare(handle, noData), kMidiInvalidParam);
  EXPECT_EQ(platform.OutputShort(kNoHandle, 0x90), kMidiInvalidHandle);
  EXPECT_EQ(platform.OutputClose(handle), kMidiOk);
  // A closed port's handle is stale for good, even once the port is open again.
  ASSERT_EQ(platform.OutputOpen(second, 0), kMidiOk);
  EXPECT_EQ(platform.OutputPrepare(handle, header), kMidiInvalidHandle);
  EXPECT_EQ(platform.OutputClose(handle), kMidiInvalidHandle);
  std::string name;
  EXPECT_EQ(platform.OutputName(1, name), kMidiOk);
  EXPECT_EQ(name, "Virtual Out 2");
  EXPECT_EQ(platform.OutputName(2, name), kMidiBadDeviceId);
}

TEST_F(VirtualMidiPlatformTest, InputBufferResultCodesFollowTheMultimediaApi) {
  VirtualMidiPlatform platform(0, 1);
  MidiHandle handle = kNoHandle;
  ASSERT_EQ(platform.InputOpen(handle, 0, nullptr, 0), kMidiOk);
  std::uint8_t area[16];
  MidiHeader header;
  header.data = area;
  header.bufferLength = sizeof area;
  EXPECT_EQ(platform.InputAddBuffer(handle, header), kMidiUnprepared);
  ASSERT_EQ(platform.InputPrepare(handle, header), kMidiOk);
  ASSERT_EQ(platform.InputAddBuffer(handle, header), kMidiOk);
  EXPECT_EQ(header.flags, kHeaderPrepared | kHeaderInQueue);
  EXPECT_EQ(platform.InputAddBuffer(handle, header), kMidiStillPlaying);
  EXPECT_EQ(platform.InputUnprepare(handle, header), kMidiStillPlaying);
  EXPECT_EQ(platform.InputClose(handle), kMidiStillPlaying);
  EXPECT_EQ(platform.InputReset(handle), kMidiOk);
  EXPECT_EQ(header.flags, kHeaderPrepared | kHeaderDone);
  EXPECT_EQ(header.bytesRecorded, 0u);
  EXPECT_EQ(platform.InputUnprepare(handle, header), kMidiOk);
  EXPECT_EQ(platform.InputClose(handle), kMidiOk);
  EXPECT_EQ(platform.InputStart(handle), kMidiInvalidHandle);
}

TEST_F(VirtualMidiPlatformTest, EveryCodeReturnedHasAText) {
  VirtualMidiPlatform platform(0, 0);
  std::string text;
  for (MidiResult code :
       {kMidiBadDeviceId, kMidiAllocated, kMidiInvalidHandle, kMidiNoDriver, kMidiNoMemory,
        kMidiInvalidParam, kMidiUnprepared, kMidiStillPlaying, kMidiNotReady}) {
    text.clear();
    EXPECT_TRUE(platform.ErrorText(code, text)) << code;
    EXPECT_FALSE(text.empty()) << code;
  }
  EXPECT_FALSE(platform.ErrorText(999, text));
}

TEST_F(VirtualMidiPlatformTest, FailNextHitsOnlyTheNextCallOfThatOperation) {
  VirtualMidiPlatform platform(1, 0);
  platform.FailNext("OutputOpen", kMidiNoDriver);
  MidiHandle handle = kNoHandle;
  EXPECT_EQ(platform.OutputOpen(handle, 0), kMidiNoDriver);
  EXPECT_EQ(handle, kNoHandle);
  EXPECT_EQ(platform.OutputOpen(handle, 0), kMidiOk);
  EXPECT_THROW(platform.FailNext("OutputSend", kMidiNoDriver), std::invalid_argument);
}

TEST_F(VirtualMidiPlatformTest, CaptureAppendsOneLinePerBufferSent) {
  std::ofstream(capturePath_) << "earlier line\n";
  VirtualMidiPlatform platform(2, 0, capturePath_.string());
  MidiHandle handle = kNoHandle;
  ASSERT_EQ(platform.OutputOpen(handle, 1), kMidiOk);
  std::uint8_t bytes[] = {0xF0, 0x00, 0x0A, 0xF7};
  MidiHeader header;
  header.data = bytes;
  header.bufferLength = sizeof bytes;
  ASSERT_EQ(platform.OutputPrepare(handle, header), kMidiOk);
  ASSERT_EQ(platform.OutputLong(handle, header), kMidiOk);
  ASSERT_EQ(platform.OutputShort(handle, 0x643C90), kMidiOk);
  // Each line is on disk as soon as the buffer is sent.
  const std::vector<std::string> lines = LinesOf(capturePath_);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "earlier line");
  std::smatch match;
  ASSERT_TRUE(std::regex_match(lines[1], match, std::regex(R"((\d+) 1 F0 00 0A F7)")));
  EXPECT_LT(std::stoi(match[1]), 5000);
  EXPECT_TRUE(std::regex_match(lines[2], std::regex(R"(\d+ 1 90 3C 64)")));
}

TEST_F(VirtualMidiPlatformTest, ACaptureFileThatCannotBeOpenedIsAnError) {
  const std::string path = (capturePath_ / "no" / "such" / "folder").string();
  try {
    VirtualMidiPlatform platform(1, 1, path);
    FAIL() << "no error";
  } catch (const MidiError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Cannot open the MIDI capture file \"" + path + "\": No such file or directory.");
  }
}

TEST_F(VirtualMidiPlatformTest, RecordsEveryBufferVerbatimWithItsTime) {
  VirtualMidiPlatform platform(1, 0);
  const auto before = std::chrono::steady_clock::now();
  MidiHandle handle = kNoHandle;
  ASSERT_EQ(platform.OutputOpen(handle, 0), kMidiOk);
  std::uint8_t bytes[] = {0xB0, 0x0C, 0x31, 0x00};
  MidiHeader header;
  header.data = bytes;
  header.bufferLength = sizeof bytes;
  ASSERT_EQ(platform.OutputPrepare(handle, header), kMidiOk);
  ASSERT_EQ(platform.OutputLong(handle, header), kMidiOk);
  const std::vector<SentBuffer> sent = platform.Sent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_THAT(sent[0].bytes, ElementsAre(0xB0, 0x0C, 0x31, 0x00));
  EXPECT_FALSE(sent[0].isShort);
  EXPECT_GE(sent[0].at, before);
  platform.ClearSent();
  EXPECT_TRUE(platform.Sent().empty());
}

}  // namespace
}  // namespace velmora

// Scripted input on the virtual ports, and capture files that cannot be written.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "VirtualMidiFixture.h"
#include "midi/PlatformChoice.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class VirtualReplayTest : public VirtualMidiTest {
 protected:
  VirtualReplayTest()
      : path_(std::filesystem::temp_directory_path() /
              ("velmora-replay-" +
               std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".txt")) {}
  ~VirtualReplayTest() override { std::filesystem::remove(path_); }

  void Write(const std::string& content) { std::ofstream(path_, std::ios::binary) << content; }

  std::string BuildError(const std::string& choice = "virtual") {
    return ErrorOf([&] { MakeMidiPlatform(choice, "", path_.string()); });
  }

  // Installs virtual ports playing the file and notes every delivery as
  // "<port> short|long <HEX>".
  void InstallReplay() {
    InstallMidiPlatform(MakeMidiPlatform("virtual", "", path_.string()));
    GetMidiInput().SetOnShortReceived(
        [this](int device, std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
          Note(device, "short", Hex({status, data1, data2}));
        });
    GetMidiInput().SetOnSysExReceived(
        [this](int device, ByteStream& stream) { Note(device, "long", Hex(stream.Bytes())); });
  }

  void Note(int device, const char* kind, const std::string& hex) {
    std::lock_guard lock(mutex_);
    deliveries_.push_back(std::to_string(device) + " " + kind + " " + hex);
    arrived_.notify_all();
  }

  std::vector<std::string> WaitFor(std::size_t count) {
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, std::chrono::seconds(30), [&] { return deliveries_.size() >= count; });
    return deliveries_;
  }

  std::filesystem::path path_;
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<std::string> deliveries_;
};

TEST_F(VirtualReplayTest, AMalformedLineIsAnErrorNamingTheFileAndTheLine) {
  const std::string where = path_.string() + ":3: ";
  const std::pair<std::string, std::string> cases[] = {
      {"10 0", "expected \"<ms> <port> <HEX>\"."},
      {"10  0 B0 07 64", "the port \"\" is not a whole number."},
      {"-5 0 B0 07 64", "the time \"-5\" is not a whole number of milliseconds."},
      {"1.5 0 B0 07 64", "the time \"1.5\" is not a whole number of milliseconds."},
      {"10 x B0 07 64", "the port \"x\" is not a whole number."},
      {"10 2 B0 07 64", "there is no virtual input port 2 (the ports are 0 to 1)."},
      {"10 0 b0 07 64", "\"b0\" is not a byte written as two upper-case hexadecimal digits."},
      {"10 0 B0 07 64 ", "\"\" is not a byte written as two upper-case hexadecimal digits."},
      {"10 0 B0  07", "\"\" is not a byte written as two upper-case hexadecimal digits."},
      {"10 0 B0 7 64", "\"7\" is not a byte written as two upper-case hexadecimal digits."},
      {"10 0 07 64",
       "a message begins with F0 or a status byte from 80 to FF other than F7, not 07."},
      {"10 0 F7", "a message begins with F0 or a status byte from 80 to FF other than F7, not F7."},
      {"10 0 B0 0C 31 00", "a message that is not System Exclusive has at most three bytes."},
      {"10 0 B0 90 64", "after the status byte come data bytes from 00 to 7F, not 90."},
      {"10 0 F0 7F 00", "a System Exclusive message ends with F7."},
      {"10 0 F0 7F B0 F7", "after the status byte come data bytes from 00 to 7F, not B0."},
      {"10 0 B0 \x1b[2J",
       "\"\\x1b[2J\" is not a byte written as two upper-case hexadecimal digits."},
      {std::string("10 0 \0B0 07", 11),
       "\"\\x00B0\" is not a byte written as two upper-case hexadecimal digits."},
      {std::string(64 * 1024 + 1, '1'), "the line is longer than 64 KiB (65536 bytes)."},
  };
  for (const auto& [line, error] : cases) {
    Write("0 0 B0 07 64\r\n\n" + line + "\n20 1 C0 05\n");
    EXPECT_EQ(BuildError(), where + error) << line;
  }

  Write("0 0 B0 07 64\n");
  EXPECT_EQ(BuildError("virtual:0"), path_.string() +
                                         ":1: there is no virtual input port 0 "
                                         "(the ports are none).");
  EXPECT_EQ(BuildError("alsa"), "VELMORA_MIDI_REPLAY=" + path_.string() +
                                    ": scripted input plays on the virtual ports only "
                                    "(VELMORA_MIDI=virtual).");
  Write(std::string(64 * 1024 * 1024 + 1, '\n'));
  EXPECT_EQ(BuildError(), "The MIDI replay file \"" + path_.string() +
                              "\" is larger than 64 MiB (67108864 bytes).");
  std::filesystem::remove(path_);
  EXPECT_EQ(BuildError(), "Cannot open the MIDI replay file \"" + path_.string() +
                              "\": No such file or directory.");
}

TEST_F(VirtualReplayTest, EachPortPlaysItsLinesInFileOrderFromItsStart) {
  // The FE line's time has passed when its turn comes: it follows at once.
  Write("0 0 B0 07 64\n0 1 C0 05\n5 0 F0 7F 00 F7\n0 0 FE\n\n3 1 F8\n");
  InstallReplay();
  GetMidiInput().OpenDevice(1);
  GetMidiInput().OpenDevice(0);
  std::vector<std::string> port0;
  std::vector<std::string> port1;
  for (const std::string& delivery : WaitFor(5)) {
    (delivery.starts_with("0 ") ? port0 : port1).push_back(delivery);
  }
  EXPECT_THAT(port0, ElementsAre("0 short B0 07 64", "0 long F0 7F 00 F7", "0 short FE 00 00"));
  EXPECT_THAT(port1, ElementsAre("1 short C0 05 00", "1 short F8 00 00"));
}

TEST_F(VirtualReplayTest, ClosingStopsThePlayAndReopeningPlaysFromTheFirstLine) {
  Write("0 0 90 3C 7F\n600000 0 80 3C 00\n");
  InstallReplay();
  GetMidiInput().OpenDevice(0);
  EXPECT_THAT(WaitFor(1), ElementsAre("0 short 90 3C 7F"));
  // Returns without waiting ten minutes for the second line.
  GetMidiInput().CloseDevice(0);
  GetMidiInput().OpenDevice(0);
  EXPECT_THAT(WaitFor(2), ElementsAre("0 short 90 3C 7F", "0 short 90 3C 7F"));
  ReleaseMidiDevices();
  EXPECT_EQ(deliveries_.size(), 2u);
}

TEST_F(VirtualReplayTest, ACaptureFileThatCannotBeWrittenFailsTheSend) {
  auto platform = std::make_unique<VirtualMidiPlatform>(1, 0, "/dev/full");
  VirtualMidiPlatform& full = *platform;
  InstallMidiPlatform(std::move(platform));
  TMidiOutput& output = GetMidiOutput();
  output.OpenDevice(0);
  const std::string error =
      "Cannot write the MIDI capture file \"/dev/full\": No space left on device.";
  EXPECT_EQ(ErrorOf([&] { output.SendText(0, "B0 0C 31 00"); }), error);
  EXPECT_EQ(ErrorOf([&] { output.SendShort(0, 0xB0, 0x07, 0x64); }), error);
  EXPECT_THAT(full.Sent(), IsEmpty());
}

}  // namespace
}  // namespace velmora

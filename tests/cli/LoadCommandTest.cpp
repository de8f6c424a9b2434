// Runs the built velmora-cli load on virtual ports: what reaches the port, in what order and
// with which real pauses, read back from the capture file.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#ifdef _WIN32
#include "cli/ChildProcess.h"
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "TemporaryFolder.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace fs = std::filesystem;

struct CapturedBuffer {
  long ms = 0;
  std::string portAndBytes;  // "1 B0 0C 31 00"
};

// What the program wrote as text: its lines end with CRLF on Windows, read here as "\n".
std::string ReadText(const fs::path& file) {
#ifdef _WIN32
  std::ifstream stream(file);
  return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
#else
  return ReadAll(file);
#endif
}

class LoadCommandTest : public ::testing::Test {
 protected:
  LoadCommandTest() : folder_(MakeTemporaryFolder("velmora-load-")) {}
  ~LoadCommandTest() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  fs::path WritePreset(const std::string& name, const std::string& content) {
    std::ofstream(folder_ / name, std::ios::binary) << content;
    return folder_ / name;
  }

  // Runs "velmora-cli load ARGS" from the temporary folder; returns the exit status.
  int Load(const std::string& args) {
#ifdef _WIN32
    std::vector<std::string> words = ShellWords(args);
    words.insert(words.begin(), "load");
    return RunChild(VELMORA_CLI_PATH, words,
                    {"VELMORA_MIDI=virtual", "VELMORA_MIDI_CAPTURE=capture.txt"}, folder_,
                    folder_ / "out.txt", folder_ / "err.txt");
#else
    const std::string command = "cd '" + folder_.string() +
                                "' && VELMORA_MIDI=virtual VELMORA_MIDI_CAPTURE=capture.txt '" +
                                VELMORA_CLI_PATH + "' load " + args + " >out.txt 2>err.txt";
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
  }

  std::string Err() const {
    return ReadText(folder_ / "err.txt");
  }

  std::vector<CapturedBuffer> Captured() const {
    std::vector<CapturedBuffer> buffers;
    std::istringstream lines(ReadText(folder_ / "capture.txt"));
    std::string line;
    while (std::getline(lines, line)) {
      const std::size_t blank = line.find(' ');
      buffers.push_back({std::stol(line.substr(0, blank)), line.substr(blank + 1)});
    }
    return buffers;
  }

  std::vector<std::string> CapturedBytes() const {
    std::vector<std::string> bytes;
    for (const CapturedBuffer& buffer : Captured()) {
      bytes.push_back(buffer.portAndBytes);
    }
    return bytes;
  }

  fs::path folder_;
};

constexpr const char* kSmallPreset =
    "[AMP1]\r\nPower=ON\r\nAmp=Bypass (no amp)\r\nDRIVE1=508\r\n"
    "[Variax]\r\nGuitar=2 Telecaster modified\r\n";

// A send on port 1, with the number of pauses before it.
struct TimedSend {
  int pausesBefore;
  std::string portAndBytes;
};

constexpr const char* kGuitarOnPort1 = "1 F0 00 01 0C 03 07 0D 02 00 00 00 00 09 F7 00";

// The guitar, then the bypass amp with channel 1's six knobs at these two values.
std::vector<TimedSend> GuitarAndAmp(const char* drive, const char* others) {
  std::vector<TimedSend> sends = {{0, kGuitarOnPort1}, {1, "1 B0 0C 31 00"}};
  sends.push_back({0, std::string("1 B0 0D ") + drive});
  for (const char* prefix : {"1 B0 0E ", "1 B0 0F ", "1 B0 10 ", "1 B0 15 ", "1 B0 11 "}) {
    sends.push_back({0, prefix + std::string(others)});
  }
  return sends;
}

// The groups after the amp's: channel 1's knobs, channel 2's, and the two powers.
std::vector<TimedSend> KnobsAndPower() {
  std::vector<TimedSend> sends = {{2, "1 B0 0D 7F"}};
  for (const char* text : {"1 B0 0E 40", "1 B0 0F 40", "1 B0 10 40", "1 B0 15 40", "1 B0 11 40"}) {
    sends.push_back({0, text});
  }
  sends.push_back({3, "1 B0 5C 40"});
  for (const char* text : {"1 B0 5D 40", "1 B0 5E 40", "1 B0 5F 40", "1 B0 66 40", "1 B0 67 40"}) {
    sends.push_back({0, text});
  }
  sends.push_back({1, "1 B0 6F 7F"});
  sends.push_back({1, "1 B0 70 00"});
  return sends;
}

// A load of kSmallPreset into the start-up state (every knob at 0), then a synchronise of
// the same state, which starts at once after the load's last send and whose amp group now
// re-sends the loaded knob values.
std::vector<TimedSend> SmallPresetLoadThenSynchronise() {
  std::vector<TimedSend> sends = GuitarAndAmp("00", "00");
  for (const std::vector<TimedSend>& more :
       {KnobsAndPower(), GuitarAndAmp("7F", "40"), KnobsAndPower()}) {
    sends.insert(sends.end(), more.begin(), more.end());
  }
  return sends;
}

// The two hold the same messages with the pauses as the gaps between them: at least 490 ms
// a pause, and well under a second more than the pauses alone.
void ExpectTimedSends(const std::vector<CapturedBuffer>& captured,
                      const std::vector<TimedSend>& expected) {
  ASSERT_EQ(captured.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(captured[i].portAndBytes, expected[i].portAndBytes) << i;
    if (i == 0) {
      continue;
    }
    const long gap = captured[i].ms - captured[i - 1].ms;
    const long pauses = expected[i].pausesBefore;
    EXPECT_GE(gap, 490 * pauses) << "before send " << i;
    EXPECT_LT(gap, 500 * pauses + 400) << "before send " << i;
  }
}

TEST_F(LoadCommandTest, LoadsSynchronisesAndSavesWithRealPauses) {
  WritePreset("small.vmp", kSmallPreset);
  ASSERT_EQ(Load("--port 1 --sync --save saved.vmp small.vmp"), 0) << Err();
  EXPECT_EQ(Err(), "");
  ExpectTimedSends(Captured(), SmallPresetLoadThenSynchronise());
  EXPECT_EQ(ReadAll(folder_ / "saved.vmp"),
            "[AMP1]\r\nPower=ON\r\nAmp=Bypass (no amp)\r\nCab=\r\nDRIVE1=508\r\nBASS1=256\r\n"
            "MID1=256\r\nTREB1=256\r\nPRES1=256\r\nVOL1=256\r\n[AMP2]\r\nPower=OFF\r\nAmp=\r\n"
            "Cab=\r\nDRIVE2=256\r\nBASS2=256\r\nMID2=256\r\nTREB2=256\r\nPRES2=256\r\nVOL2=256\r\n"
            "[Variax]\r\nGuitar=2 Telecaster modified\r\n");
}

TEST_F(LoadCommandTest, AccentedPresetAndSaveNamesAreTheFilesTheUserNamed) {
  const fs::path preset = folder_ / fs::path(u8"Été über.vmp");
  std::ofstream(preset, std::ios::binary) << kSmallPreset;
  ASSERT_EQ(Load("--save 'Sauvé.vmp' 'Été über.vmp'"), 0) << Err();
  EXPECT_EQ(CapturedBytes().size(), 22u);
  EXPECT_EQ(ReadAll(folder_ / fs::path(u8"Sauvé.vmp")).substr(0, 18), "[AMP1]\r\nPower=ON\r\n");
}

TEST_F(LoadCommandTest, ErrorStopsTheRunAndKeepsWhatWasSent) {
  WritePreset("bad.vmp", "[AMP1]\r\nDRIVE1=12\r\nBASS1=loud\r\n");
  WritePreset("next.vmp", kSmallPreset);
  EXPECT_EQ(Load("--save saved.vmp bad.vmp next.vmp"), 1);
  EXPECT_EQ(Err(), "bad.vmp: 'loud' n'est pas une valeur entière correcte\n");
  EXPECT_THAT(CapturedBytes(), ElementsAre("0 B0 0D 03"));
  EXPECT_FALSE(fs::exists(folder_ / "saved.vmp"));

  // A target that cannot take the save is refused, with its reason, before anything is sent.
  fs::remove(folder_ / "capture.txt");
  fs::create_directory(folder_ / "folder.vmp");
  std::ofstream(folder_ / "big.vmp", std::ios::binary).seekp(16 * 1024 * 1024) << 'x';
  const fs::path full = fs::canonical(folder_);
  const std::pair<const char*, std::string> targets[] = {
      {"nowhere/saved.vmp", "Impossible d'écrire dans " +
                                (full / "nowhere" / "saved.vmp").string() +
                                ": No such file or directory.\n"},
      {"folder.vmp",
       "Impossible d'écrire dans " + (full / "folder.vmp").string() + ": Is a directory.\n"},
      {"big.vmp", "Fichier trop volumineux : " + (full / "big.vmp").string() +
                      " dépasse 16 Mio (16777216 octets)\n"},
  };
  for (const auto& [target, error] : targets) {
    EXPECT_EQ(Load(std::string("--save ") + target + " next.vmp"), 1) << target;
    EXPECT_EQ(Err(), error);
  }
  EXPECT_THAT(CapturedBytes(), IsEmpty());
  EXPECT_FALSE(fs::exists(folder_ / "nowhere"));
  EXPECT_EQ(fs::file_size(folder_ / "big.vmp"), 16u * 1024 * 1024 + 1);
}

// A typo in a file name must not send the all-default state that a missing file reads as;
// an empty file is still a preset in which every key is missing.
TEST_F(LoadCommandTest, APresetFileThatCannotBeReadStopsTheRunBeforeAnyOfItIsSent) {
  WritePreset("empty.vmp", "");
  EXPECT_EQ(Load("empty.vmp missing.vmp empty.vmp"), 1);
  EXPECT_EQ(Err(), "Cannot read the preset file \"missing.vmp\": No such file or directory.\n");
  EXPECT_THAT(CapturedBytes(),
              ElementsAre("0 B0 0D 40", "0 B0 0E 40", "0 B0 0F 40", "0 B0 10 40", "0 B0 15 40",
                          "0 B0 11 40", "0 B0 5C 40", "0 B0 5D 40", "0 B0 5E 40", "0 B0 5F 40",
                          "0 B0 66 40", "0 B0 67 40", "0 B0 6F 00", "0 B0 70 00"));

  fs::remove(folder_ / "capture.txt");
  fs::create_directory(folder_ / "folder.vmp");
  EXPECT_EQ(Load("folder.vmp"), 1);
  EXPECT_EQ(Err(), "Cannot read the preset file \"folder.vmp\": not a regular file.\n");
#ifndef _WIN32
  // Windows files have no POSIX read permission to take away.
  if (geteuid() != 0) {  // the superuser reads any file
    fs::permissions(WritePreset("locked.vmp", kSmallPreset), fs::perms::none);
    EXPECT_EQ(Load("locked.vmp"), 1);
    EXPECT_EQ(Err(), "Cannot read the preset file \"locked.vmp\": Permission denied.\n");
  }
#endif
  EXPECT_THAT(CapturedBytes(), IsEmpty());
}

#ifndef _WIN32
TEST_F(LoadCommandTest, ADeviceErrorDuringTheLoadNamesThePortNotTheFile) {
  WritePreset("full.vmp", kSmallPreset);
  const std::string command = "cd '" + folder_.string() +
                              "' && VELMORA_MIDI=virtual VELMORA_MIDI_CAPTURE=/dev/full '" +
                              VELMORA_CLI_PATH + "' load full.vmp 2>err.txt";
  EXPECT_NE(std::system(command.c_str()), 0);
  EXPECT_EQ(Err(),
            "MIDI OUT port 0 \"Virtual Out 1\": Cannot write the MIDI capture file \"/dev/full\": "
            "No space left on device.\n");
}
#endif

TEST_F(LoadCommandTest, PortOutsideTheListIsAnErrorAndSendsNothing) {
  WritePreset("small.vmp", kSmallPreset);
  EXPECT_EQ(Load("--port 2 small.vmp"), 1);
  EXPECT_EQ(Err(), "TMidiOutput: Device index out of bounds! (2)\n");
  EXPECT_THAT(CapturedBytes(), IsEmpty());
}

TEST_F(LoadCommandTest, BadUsageGivesTheUsageLineAndStatusTwo) {
  const std::string usage = "usage: velmora-cli load [--port N] [--sync] [--save FILE] PRESET...\n";
  for (const char* args :
       {"", "--sync", "--port", "--port x a.vmp", "--port 1", "--save", "--save '' a.vmp",
        "--quiet a.vmp", "a.vmp --sync", "a.vmp --port 1 b.vmp", "--save --sync a.vmp",
        "-p 1 a.vmp", "--sync --sync a.vmp", "--save a.vmp --save b.vmp c.vmp", "a.vmp -"}) {
    EXPECT_EQ(Load(args), 2) << args;
    EXPECT_EQ(Err(), usage) << args;
  }
  EXPECT_THAT(CapturedBytes(), IsEmpty());
}

}  // namespace
}  // namespace velmora

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "profile/Profile.h"
#include "profile/ScratchFolder.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <random>
#include <thread>
#endif

namespace velmora {
namespace {

#ifndef _WIN32
namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::ScratchFolder;

// A whole preset (the 19 keys a save writes) whose values tell the versions apart and
// differ in length, so that a cut-off file can never pass for a whole one.
std::vector<ProfileEntry> Preset(char mark, std::size_t length) {
  std::vector<ProfileEntry> entries;
  for (const char* section : {"AMP1", "AMP2"}) {
    for (const char* key : {"Power", "Amp", "Cab", "DRIVE", "BASS", "MID", "TREB", "PRES", "VOL"}) {
      entries.push_back({section, key, std::string(length, mark)});
    }
  }
  entries.push_back({"Variax", "Guitar", std::string(length, mark)});
  return entries;
}

std::vector<ProfileEntry> Settings(char mark) {
  return {{"MIDI", "Out", std::string(1, mark)}, {"Knobs", "Factor", std::string(300, mark)}};
}

// Every text the file may hold once it was written first with the first version, then with
// the versions in any order.
std::set<std::string> WholeVersions(const std::vector<std::vector<ProfileEntry>>& versions) {
  ScratchFolder folder;
  const fs::path file = folder / "f";
  std::set<std::string> texts;
  for (int round = 0; round < 2; ++round) {
    for (const auto& version : versions) {
      WriteProfileStrings(file, version);
      texts.insert(ReadBytes(file));
    }
  }
  return texts;
}

// Runs the body in a child process; its exit code tells whether every save worked.
template <typename Body>
pid_t Spawn(Body body) {
  const pid_t pid = fork();
  if (pid == 0) {
    try {
      body();
    } catch (...) {
      _exit(1);
    }
    _exit(0);
  }
  return pid;
}

int ExitCode(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> OnlyTargets() {
  return {"config.ini", "preset.vmp"};
}

TEST(SaveRace, ASaverKilledAtRandomMomentsLeavesEveryFileWholeOldOrNew) {
  ScratchFolder folder;
  const fs::path preset = folder / "preset.vmp";
  const fs::path config = folder / "config.ini";
  const auto presetA = Preset('a', 40);
  const auto presetB = Preset('b', 90);
  const auto settingsA = Settings('1');
  const auto settingsB = Settings('2');
  const std::set<std::string> wholePresets = WholeVersions({presetA, presetB});
  const std::set<std::string> wholeSettings = WholeVersions({settingsA, settingsB});
  WriteProfileStrings(preset, presetA);
  WriteProfileStrings(config, settingsA);

  std::mt19937 random(20261209);
  std::set<std::string> seen;
  int leftTemporaries = 0;
  constexpr int kKills = 200;
  for (int kill = 0; kill < kKills; ++kill) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t saver = Spawn([&] {
      const auto saveCycle = [&] {
        WriteProfileStrings(preset, presetB);
        WriteProfileStrings(config, settingsB);
        WriteProfileStrings(preset, presetA);
        WriteProfileStrings(config, settingsA);
      };
      // Times one cycle of its own and tells it, so that the kill moments spread over a few
      // of its cycles however fast this build, and this fresh process, save.
      const auto start = std::chrono::steady_clock::now();
      saveCycle();
      const std::int64_t cycle = std::chrono::duration_cast<std::chrono::microseconds>(
                                     std::chrono::steady_clock::now() - start)
                                     .count();
      if (write(ready[1], &cycle, sizeof cycle) != sizeof cycle) {
        _exit(2);
      }
      for (;;) {
        saveCycle();
      }
    });
    ASSERT_GT(saver, 0);
    std::int64_t cycle = 0;
    ASSERT_EQ(read(ready[0], &cycle, sizeof cycle), static_cast<ssize_t>(sizeof cycle));
    close(ready[0]);
    close(ready[1]);
    std::this_thread::sleep_for(std::chrono::microseconds(random() % (3 * cycle + 1)));
    ::kill(saver, SIGKILL);
    ASSERT_EQ(ExitCode(saver), -1);
    const std::string presetText = ReadBytes(preset);
    const std::string settingsText = ReadBytes(config);
    ASSERT_TRUE(wholePresets.count(presetText)) << "after kill " << kill << ":\n" << presetText;
    ASSERT_TRUE(wholeSettings.count(settingsText)) << "after kill " << kill << ":\n"
                                                   << settingsText;
    seen.insert(presetText);
    leftTemporaries += folder.Names() != OnlyTargets();
  }
  // The kills fell both between saves and inside them.
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_GT(leftTemporaries, 0);
  // The next save of each file clears what the killed savers left.
  WriteProfileStrings(preset, presetB);
  WriteProfileStrings(config, settingsB);
  EXPECT_EQ(folder.Names(), OnlyTargets());
}

TEST(SaveRace, TwoProcessesSavingTheSamePresetAtOnceLeaveOneWholeVersion) {
  ScratchFolder folder;
  const fs::path preset = folder / "preset.vmp";
  const auto presetA = Preset('a', 60);
  const auto presetB = Preset('b', 120);
  const std::set<std::string> whole = WholeVersions({presetA, presetB});
  WriteProfileStrings(preset, presetA);
  for (int round = 0; round < 50; ++round) {
    // Both wait at a closed gate, so their saves start together.
    int gate[2];
    ASSERT_EQ(pipe(gate), 0);
    const auto saver = [&](const std::vector<ProfileEntry>& version) {
      return Spawn([&] {
        close(gate[1]);
        char byte;
        (void)!read(gate[0], &byte, 1);
        for (int i = 0; i < 3; ++i) {
          WriteProfileStrings(preset, version);
        }
      });
    };
    const pid_t first = saver(presetA);
    const pid_t second = saver(presetB);
    close(gate[0]);
    close(gate[1]);
    // Read while they write: no moment shows a mixed or partial file.
    for (int read = 0; read < 20; ++read) {
      ASSERT_TRUE(whole.count(ReadBytes(preset))) << "round " << round;
    }
    EXPECT_EQ(ExitCode(first), 0);
    EXPECT_EQ(ExitCode(second), 0);
    ASSERT_TRUE(whole.count(ReadBytes(preset))) << "round " << round;
    ASSERT_EQ(folder.Names(), std::vector<std::string>{"preset.vmp"}) << "round " << round;
  }
}
#endif

}  // namespace
}  // namespace velmora

// Byte streams read as a MIDI receiver reads them: the change lines they make, the same
// whether the bytes come at once or one at a time.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "midi/Midi.h"
#include "rig/HexBytes.h"
#include "rig/Rig.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

struct StreamCase {
  const char* name;
  const char* bytes;
  std::vector<std::string> lines;
};

const std::string kTelecaster = "F0 00 01 0C 03 07 0D 02 00 00 00 00 09 F7";
const char* const kTelecasterLine = "guitar: 2 Telecaster modified";
const char* const kRecallLine = "preset: USER 4C (stored preset: amp and guitar settings unknown)";

const std::vector<StreamCase> kCases = {
    {"running status",
     "B0 0D 40 0E 3C 5B 1D",
     {"AMP1 DRIVE: 64", "AMP1 BASS: 60", "AMP2 amp: '68 Brit Plexi Variac"}},
    {"stray 00 after an amp, then a message",
     "B0 0C 1D 00 B0 70 00",
     {"AMP1 amp: '68 Brit Plexi Variac", "AMP2 power: OFF"}},
    {"stray 00 at the end", "B0 0C 1D 00", {"AMP1 amp: '68 Brit Plexi Variac"}},
    {"stray 00 after a SysEx",
     "F0 00 01 0C 03 07 0D 02 00 00 00 00 09 F7 00 B0 6F 7F",
     {kTelecasterLine, "AMP1 power: ON"}},
    {"real-time inside a SysEx",
     "F0 00 01 0C 03 07 0D 02 F8 00 00 00 00 09 FE F7",
     {"unknown: F8", "unknown: FE", kTelecasterLine}},
    {"real-time between status and data",
     "B0 FA 0D F8 40",
     {"unknown: FA", "unknown: F8", "AMP1 DRIVE: 64"}},
    {"status byte in an incomplete message", "B0 0D B0 0E 3C C0", {"AMP1 BASS: 60"}},
    {"SysEx ended by a status byte", "F0 00 01 0C 03 07 0D 02 00 00 B0 10 40", {"AMP1 TREB: 64"}},
    {"data bytes with no status", "0D 40 00 B0 11 7F", {"AMP1 VOL: 127"}},
    {"no running status after a system message", "F6 40 00", {"unknown: F6"}},
    {"a value set again is no change",
     "B0 5C 10 B0 5C 10 5C 11",
     {"AMP2 DRIVE: 16", "AMP2 DRIVE: 17"}},
    {"a recall makes everything unknown",
     "B0 0D 40 F0 00 01 0C 03 07 0D 02 00 00 00 00 09 F7 C0 0E B0 0D 40 C0 0E",
     {"AMP1 DRIVE: 64", kTelecasterLine, kRecallLine, "AMP1 DRIVE: 64", kRecallLine}},
    {"factory recall",
     "C0 7F",
     {"preset: FACTORY 16D (stored preset: amp and guitar settings "
      "unknown)"}},
    {"unknown messages",
     "B0 07 64 B1 0D 40 B0 6F 40 B0 0C 4A C1 00 F0 7E F7",
     {"unknown: B0 07 64", "unknown: B1 0D 40", "unknown: B0 6F 40", "unknown: B0 0C 4A",
      "unknown: C1 00", "unknown: F0 7E F7"}},
};

std::vector<std::string> LinesOf(const std::vector<std::uint8_t>& bytes, bool oneByOne) {
  std::vector<std::string> lines;
  Rig rig([&lines](const std::string& line) { lines.push_back(line); });
  if (oneByOne) {
    for (std::uint8_t byte : bytes) {
      rig.Feed(std::span(&byte, 1));
    }
  } else {
    rig.Feed(bytes);
  }
  EXPECT_EQ(rig.RecentChanges(), lines);
  return lines;
}

TEST(RigStreamTest, StreamsMakeTheirChangeLinesWhateverTheirPieces) {
  for (const StreamCase& stream : kCases) {
    const std::vector<std::uint8_t> bytes = BytesOf(stream.bytes);
    EXPECT_THAT(LinesOf(bytes, false), ElementsAreArray(stream.lines)) << stream.name;
    EXPECT_THAT(LinesOf(bytes, true), ElementsAreArray(stream.lines)) << stream.name;
  }
}

TEST(RigStreamTest, OverlongSysExIsDroppedWithOneUnknownEntry) {
  Rig rig;
  std::vector<std::uint8_t> longest = BytesOf(kTelecaster);
  longest.insert(longest.end() - 1, kLongestSysEx - longest.size(), 0x00);
  std::vector<std::uint8_t> overlong = longest;
  overlong.insert(overlong.end() - 1, 0x00);
  rig.Feed(overlong);
  rig.Feed(BytesOf("B0 0D 40"));
  rig.Feed(longest);
  const std::vector<std::string> lines = rig.RecentChanges();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0],
            "unknown: F0 00 01 0C 03 07 0D 02 00 00 00 00 09 00 00 00 ... (SysEx longer than "
            "65536 bytes, dropped)");
  EXPECT_EQ(lines[1], "AMP1 DRIVE: 64");
  EXPECT_EQ(lines[2].size(), std::string("unknown: ").size() + 3 * kLongestSysEx - 1);
  EXPECT_EQ(rig.State().unknownCount, 2u);
}

TEST(RigStreamTest, RecentChangesKeepTheLastTwoHundred) {
  Rig rig;
  for (int i = 0; i < 300; ++i) {
    rig.Feed(BytesOf("B0 0D " + std::string(i % 2 ? "01" : "02")));
  }
  const std::vector<std::string> lines = rig.RecentChanges();
  EXPECT_EQ(rig.ChangeCount(), 300u);
  ASSERT_EQ(lines.size(), kRecentChangeLines);
  EXPECT_THAT(std::vector(lines.end() - 2, lines.end()),
              ElementsAre("AMP1 DRIVE: 2", "AMP1 DRIVE: 1"));
}

}  // namespace
}  // namespace velmora

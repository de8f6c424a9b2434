#include "midi/LogLines.h"

#include <gtest/gtest.h>

#include <regex>

namespace velmora {
namespace {

std::tm At(int hour, int minute, int second) {
  std::tm time{};
  time.tm_hour = hour;
  time.tm_min = minute;
  time.tm_sec = second;
  return time;
}

TEST(LogLinesTest, TimeStampsHaveTwoDigitFieldsAndThreeDigitMilliseconds) {
  EXPECT_EQ(FormatLogTime(At(14, 3, 7), 250), "14:03:07.250");
  EXPECT_EQ(FormatLogTime(At(0, 0, 0), 2), "00:00:00.002");
  EXPECT_EQ(FormatLogTime(At(23, 59, 59), 999), "23:59:59.999");
  EXPECT_TRUE(std::regex_match(LogTimeNow(), std::regex(R"(\d\d:\d\d:\d\d\.\d\d\d)")));
  const auto noon =
      std::chrono::system_clock::from_time_t(12 * 3600) + std::chrono::milliseconds(42);
  EXPECT_TRUE(LogTimeOf(noon).ends_with(".042"));
}

TEST(LogLinesTest, LinesOfAMessageReceivedAndForwarded) {
  EXPECT_EQ(ShortReceivedLogLine("14:03:07.250", "Port A", 0xB0, 0x07, 0x64),
            "[14:03:07.250] Port A: <Status> B0, <Data 1> 07 <Data 2> 64");
  EXPECT_EQ(ThruLogLine("Port B"), " -->Port B");
}

TEST(LogLinesTest, SystemExclusiveLineCountsTheBytesAndListsThemEachWithABlank) {
  ByteStream stream;
  const std::uint8_t bytes[] = {0xF0, 0x7F, 0xF7};
  stream.Append(bytes, sizeof bytes);
  EXPECT_EQ(SysExReceivedLogLine("14:03:09.002", "Port A", stream),
            "[14:03:09.002] Port A: <Bytes> 3 <SysEx> F0 7F F7 ");
  ByteStream empty;
  EXPECT_EQ(SysExReceivedLogLine("14:03:09.002", "Port A", empty),
            "[14:03:09.002] Port A: <Bytes> 0 <SysEx> ");
}

TEST(LogLinesTest, RawSendLineKeepsTheTextAsTyped) {
  EXPECT_EQ(RawSendLogLine("Port B", "f0 7f f7"), " --> Port B f0 7f f7");
}

TEST(LogLinesTest, LostInputLineSaysHowManyEvents) {
  EXPECT_EQ(LostInputLogLine("14:03:09.120", 1843),
            "[14:03:09.120] <Lost> 1843 MIDI events: they arrived faster than they could be read");
}

}  // namespace
}  // namespace velmora

// velmora-cli monitor, run as a user would: scripted input on the virtual ports, the log on
// stdout and the thru on the capture file.

#include <gmock/gmock.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "CliRunner.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;

constexpr const char* kMonitorUsage =
    "usage: velmora-cli monitor [--in N]... [--thru M]... [--seconds S]\n";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  return lines;
}

class MonitorCommandTest : public CliRunnerTest {
 protected:
  MonitorCommandTest() : replay_(folder_ / "replay.txt") {}

  void WriteReplay(const std::string& content) {
    std::ofstream(replay_, std::ios::binary) << content;
  }

  // With out_ set, the standard output goes there and is not read back.
  CliRun Monitor(std::vector<std::string> args) {
    args.insert(args.begin(), "monitor");
    return CliWith(args,
                   "VELMORA_MIDI=virtual VELMORA_MIDI_REPLAY=" + Quoted(replay_.string()) +
                       " VELMORA_MIDI_CAPTURE=" + Quoted(capture_.string()),
                   out_);
  }

  // The lines of text with each time stamp checked and replaced by "[time]".
  static std::vector<std::string> Stamped(const std::string& text, const std::regex& stamp) {
    std::vector<std::string> lines;
    for (const std::string& line : Lines(text)) {
      std::smatch match;
      lines.push_back(std::regex_search(line, match, stamp)
                          ? match.prefix().str() + "[time]" + match.suffix().str()
                          : line);
    }
    return lines;
  }

  std::filesystem::path replay_;
  std::filesystem::path out_;
};

TEST_F(MonitorCommandTest, PrintsTheLogInReadingOrderAndForwardsToEveryThruPort) {
  WriteReplay("0 0 B0 07 64\n10 0 FE\n20 0 F0 00 01 0C 03 08 01 00 F7\n");
  const CliRun run = Monitor({"--in", "0", "--thru", "0", "--thru", "1", "--seconds", "1"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_THAT(Stamped(run.out, std::regex(R"(^\[\d\d:\d\d:\d\d\.\d\d\d\])")),
              ElementsAre("[time] Virtual In 1: <Status> B0, <Data 1> 07 <Data 2> 64",
                          " -->Virtual Out 1", " -->Virtual Out 2",
                          "[time] Virtual In 1: <Bytes> 9 <SysEx> F0 00 01 0C 03 08 01 00 F7 "));
  // The thru sends short messages, last port first; nothing else goes out.
  EXPECT_THAT(Stamped(Slurp(capture_), std::regex(R"(^\d+)")),
              ElementsAre("[time] 1 B0 07 64", "[time] 0 B0 07 64"));
}

// Each thru port is tried and each failure told; what arrived is logged all the same.
TEST_F(MonitorCommandTest, AThruThatFailsIsReportedAndTheRunGoesOn) {
  capture_ = "/dev/full";
  WriteReplay("0 0 90 3C 7F\n20 0 F0 7F F7\n");
  const CliRun run = Monitor({"--thru", "1", "--thru", "0", "--in", "0", "--seconds", "1"});
  EXPECT_EQ(run.status, 1);
  const std::string full =
      "Cannot write the MIDI capture file \"/dev/full\": No space left on device.\n";
  EXPECT_EQ(run.err, full + full);
  EXPECT_THAT(Stamped(run.out, std::regex(R"(^\[\d\d:\d\d:\d\d\.\d\d\d\])")),
              ElementsAre("[time] Virtual In 1: <Status> 90, <Data 1> 3C <Data 2> 7F",
                          "[time] Virtual In 1: <Bytes> 3 <SysEx> F0 7F F7 "));
}

TEST_F(MonitorCommandTest, UsageAndDeviceErrorsOpenNothing) {
  WriteReplay("0 0 B0 07 64\n");
  const std::vector<std::vector<std::string>> misuses = {{"--in"},
                                                         {"--in", "x"},
                                                         {"--in", "-1"},
                                                         {"--thru", "1.5"},
                                                         {"--seconds", ""},
                                                         {"--seconds", "-2"},
                                                         {"--help"},
                                                         {"-i", "0"},
                                                         {"0"},
                                                         {"--in", "0", "1"},
                                                         {"--seconds", "1", "--seconds", "2"}};
  for (const std::vector<std::string>& args : misuses) {
    const CliRun run = Monitor(args);
    EXPECT_EQ(run.status, 2) << args[0];
    EXPECT_EQ(run.err, kMonitorUsage) << args[0];
    EXPECT_EQ(run.out, "") << args[0];
  }

  CliRun run = Monitor({"--in", "0", "--in", "2", "--seconds", "0"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "TMidiInput: Device index out of bounds! (2)\n");
  run = Monitor({"--thru", "2", "--in", "0", "--seconds", "0"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "TMidiOutput: Device index out of bounds! (2)\n");

  WriteReplay("0 0 B0 07 64\n5 1 B0 07\n9 0 B0 0C 31 00\n");
  run = Monitor({"--in", "0", "--seconds", "0"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, replay_.string() +
                         ":3: a message that is not System Exclusive has at most three bytes.\n");
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(Slurp(capture_), "");
}

TEST_F(MonitorCommandTest, AnOutputThatCannotBeWrittenEndsTheRunWithAnError) {
  out_ = "/dev/full";
  WriteReplay("0 0 B0 07 64\n");
  const CliRun run = Monitor({"--in", "0"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "velmora-cli: the output could not be written: No space left on device.\n");
}

}  // namespace
}  // namespace velmora

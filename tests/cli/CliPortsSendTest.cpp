// Runs the built velmora-cli on virtual ports and reads what it sent from the capture file.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

std::string Quoted(const std::string& word) {
  std::string quoted = "'";
  for (char c : word) {
    quoted += (c == '\'') ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

std::string Slurp(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class CliPortsSendTest : public ::testing::Test {
 protected:
  CliPortsSendTest() {
    std::string pattern = (std::filesystem::temp_directory_path() / "velmora-cli-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      throw std::runtime_error("cannot create a temporary folder");
    }
    folder_ = pattern;
    capture_ = folder_ / "capture.txt";
  }
  ~CliPortsSendTest() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  CliRun Cli(const std::vector<std::string>& args, const std::string& midi = "virtual") {
    return CliWith(args, "VELMORA_MIDI=" + Quoted(midi) +
                             " VELMORA_MIDI_CAPTURE=" + Quoted(capture_.string()));
  }

  CliRun CliWith(const std::vector<std::string>& args, const std::string& environment) {
    std::string command = "env -u VELMORA_MIDI -u VELMORA_MIDI_CAPTURE " + environment + " " +
                          Quoted(VELMORA_CLI_PATH);
    for (const std::string& arg : args) {
      command += " " + Quoted(arg);
    }
    command +=
        " >" + Quoted((folder_ / "out").string()) + " 2>" + Quoted((folder_ / "err").string());
    const int raw = std::system(command.c_str());
    CliRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = Slurp(folder_ / "out");
    run.err = Slurp(folder_ / "err");
    return run;
  }

  // The capture lines with the time checked and cut off: "<port> <HEX>".
  std::vector<std::string> Captured() {
    std::vector<std::string> lines;
    std::ifstream in(capture_);
    const std::regex line(R"((\d+) (\d+ [0-9A-F]{2}( [0-9A-F]{2})*))");
    for (std::string text; std::getline(in, text);) {
      std::smatch match;
      EXPECT_TRUE(std::regex_match(text, match, line)) << text;
      lines.push_back(match.size() > 2 ? match[2].str() : text);
    }
    return lines;
  }

  std::filesystem::path folder_;
  std::filesystem::path capture_;
};

TEST_F(CliPortsSendTest, PortsListsOutputsThenInputs) {
  const CliRun run = Cli({"ports"}, "virtual:3");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "out 0: Virtual Out 1\nout 1: Virtual Out 2\nout 2: Virtual Out 3\n"
            "in 0: Virtual In 1\nin 1: Virtual In 2\nin 2: Virtual In 3\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(Cli({"ports"}, "virtual:0").out, "");
}

TEST_F(CliPortsSendTest, SendPutsEachTextInOneBufferWithoutThePad) {
  const CliRun run =
      Cli({"send", "B0 0C 31", "c0 0e", "F0 00 01 0C 03 08 01 00 F7", "B0 0C 31 00"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
  EXPECT_THAT(Captured(), ElementsAre("0 B0 0C 31", "0 C0 0E", "0 F0 00 01 0C 03 08 01 00 F7",
                                      "0 B0 0C 31 00"));
}

TEST_F(CliPortsSendTest, SendToAChosenPortAndByTheLenientRules) {
  EXPECT_EQ(
      Cli({"send", "--port", "1", "B00C31", "B0,0C,31", "B0 0G 3", "b0 0z 31", "B0 \xC3\xA9 31"})
          .status,
      0);
  EXPECT_THAT(Captured(),
              ElementsAre("1 B0 0C 31", "1 B0 00 C0 31", "1 B0 00", "1 B0 00 31", "1 B0 03"));
}

TEST_F(CliPortsSendTest, AHundredThousandCharactersGoOutAsOneBuffer) {
  const CliRun run = Cli({"send", std::string(100000, 'f')});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  std::string expected = " 0";
  for (int i = 0; i < 50000; ++i) {
    expected += " FF";
  }
  expected += '\n';
  // Read by hand: a regular expression over a 150 000-character line takes too long.
  const std::string captured = Slurp(capture_);
  const std::size_t time = captured.find_first_not_of("0123456789");
  ASSERT_GT(time, 0u);
  EXPECT_EQ(captured.substr(time), expected);
}

TEST_F(CliPortsSendTest, AnEmptyMessageSendsNothing) {
  const CliRun run = Cli({"send", "", "7"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_THAT(Captured(), IsEmpty());
}

TEST_F(CliPortsSendTest, APortOutsideTheListIsTheWindowsError) {
  CliRun run = Cli({"send", "--port", "2", "B0 0C 31"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "TMidiOutput: Device index out of bounds! (2)\n");
  run = Cli({"send", "--port", "-1", "B0 0C 31"});
  EXPECT_EQ(run.err, "TMidiOutput: Device index out of bounds! (-1)\n");
  run = Cli({"send", "B0 0C 31"}, "virtual:0");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "TMidiOutput: Device index out of bounds! (0)\n");
  EXPECT_THAT(Captured(), IsEmpty());
}

TEST_F(CliPortsSendTest, AMidiChoiceThatCannotBeHonouredIsAnError) {
  CliRun run = Cli({"ports"}, "jack");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "VELMORA_MIDI=jack: the JACK MIDI backend is not available yet.\n");
  run = Cli({"send", "B0 0C 31"}, "virtual:x");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "VELMORA_MIDI=virtual:x: the number of virtual ports must be a whole number from 0 "
            "to 256.\n");
  const std::string badCapture = (folder_ / "missing" / "capture.txt").string();
  run = CliWith({"ports"}, "VELMORA_MIDI=virtual VELMORA_MIDI_CAPTURE=" + Quoted(badCapture));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Cannot open the MIDI capture file \"" + badCapture +
                         "\": No such file or directory.\n");
}

TEST_F(CliPortsSendTest, BadUsageGivesAUsageLineAndStatusTwo) {
  // The general usage line lists every command; the ones here come first.
  const std::string usage = "usage: velmora-cli ports | send [--port N] TEXT...";
  const std::string sendUsage = "usage: velmora-cli send [--port N] TEXT...\n";
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{}, usage},
      {{"list"}, usage},
      {{"send"}, sendUsage},
      {{"send", "--port"}, sendUsage},
      {{"send", "--port", "1"}, sendUsage},
      {{"send", "--port", "one", "B0 0C 31"}, sendUsage},
      {{"send", "--port", "99999999999", "B0 0C 31"}, sendUsage},
      {{"ports", "extra"}, "usage: velmora-cli ports\n"},
  };
  for (const auto& [args, expected] : cases) {
    const CliRun run = Cli(args);
    EXPECT_EQ(run.status, 2) << ::testing::PrintToString(args);
    EXPECT_TRUE(run.err.starts_with(expected) && run.err.ends_with("\n"))
        << ::testing::PrintToString(args) << ": " << run.err;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_THAT(Captured(), IsEmpty());
}

}  // namespace
}  // namespace velmora

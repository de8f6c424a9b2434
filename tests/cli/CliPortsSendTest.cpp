// Runs the built velmora-cli on virtual ports and reads what it sent from the capture file.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/CliRunner.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The checks of every command's words share these runs.
class CliPortsSendTest : public CliRunnerTest {};

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

TEST_F(CliPortsSendTest, SendToAChosenPortInAnySpellingTheConversionReadsAsWritten) {
  EXPECT_EQ(Cli({"send", "--port", "1", "B00C31", "b0 0c  31 ", "B 00C 31"}).status, 0);
  EXPECT_THAT(Captured(), ElementsAre("1 B0 0C 31", "1 B0 0C 31", "1 B0 0C 31"));
}

// Texts the conversion would quietly alter: a stray character turns into a 0 digit and a
// lone last digit is dropped. One bad text stops the run before the good one before it.
TEST_F(CliPortsSendTest, SendRefusesTextThatWouldNotGoOutAsWritten) {
  for (const std::string text : {"B0 0G 31", "B0,0C,31", "B0\t0C 31", "B0 0C 3", "b0 0z 31",
                                 "B0 \xC3\xA9 31", "7", "B0 0C 31\n"}) {
    const CliRun run = Cli({"send", "B0 0C 31", text});
    EXPECT_EQ(run.status, 2) << text;
    EXPECT_EQ(run.err, "velmora-cli send: \"" + text +
                           "\" is not message text: pairs of hexadecimal digits and blanks "
                           "only.\nusage: velmora-cli send [--port N] TEXT...\n");
    EXPECT_EQ(run.out, "");
  }
  EXPECT_THAT(Captured(), IsEmpty());
}

TEST_F(CliPortsSendTest, AHundredThousandCharactersGoOutAsOneBuffer) {
#ifdef _WIN32
  GTEST_SKIP() << "a Windows command line holds at most 32767 characters";
#endif
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
  const CliRun run = Cli({"send", "", "   "});
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
  // With no port at all, one more line says where a port can be found.
  const std::string hint =
      "No MIDI output port here: 'velmora-cli ports' lists the ports; VELMORA_MIDI=virtual "
      "gives the built-in virtual ports.\n";
  run = Cli({"send", "B0 0C 31"}, "virtual:0");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "TMidiOutput: Device index out of bounds! (0)\n" + hint);
  run = Cli({"preset", "USER", "3B"}, "virtual:0");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "TMidiOutput: Device index out of bounds! (0)\n" + hint);
  EXPECT_THAT(Captured(), IsEmpty());
}

TEST_F(CliPortsSendTest, AMidiChoiceThatCannotBeHonouredIsAnError) {
  CliRun run = CliWith({"ports"}, "VELMORA_MIDI=jack JACK_DEFAULT_SERVER=velmora-no-server");
  EXPECT_EQ(run.status, 1);
#ifdef VELMORA_HAVE_JACK
  EXPECT_EQ(run.err,
            "VELMORA_MIDI=jack: no JACK server named \"velmora-no-server\" is running. Start one, "
            "for example with \"jackd -n velmora-no-server -d alsa\" or from QjackCtl, then start "
            "this program again.\n");
#else
  EXPECT_EQ(run.err, "VELMORA_MIDI=jack: this program was built without the JACK MIDI backend.\n");
#endif
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
  const std::string usage = "usage: velmora-cli ports [--watch] | send [--port N] TEXT...";
  const std::string sendUsage = "usage: velmora-cli send [--port N] TEXT...\n";
  const std::string presetUsage =
      "usage: velmora-cli preset [--port N] GROUP KEY\n  GROUP: USER, FACTORY or FACT; KEY: a bank "
      "from 1 to 16, then a letter from A to D (3B, 16d). Letter case does not count.\n";
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{}, usage},
      {{"list"}, usage},
      {{"send"}, sendUsage},
      {{"send", "--port"}, sendUsage},
      {{"send", "--port", "1"}, sendUsage},
      {{"send", "--port", "one", "B0 0C 31"}, sendUsage},
      {{"send", "--port", "99999999999", "B0 0C 31"}, sendUsage},
      {{"ports", "extra"}, "usage: velmora-cli ports [--watch]\n"},
      {{"ports", "--help"}, "usage: velmora-cli ports [--watch]\n"},
      // A word that looks like an option and is none of the command's is never sent.
      {{"send", "--help"}, sendUsage},
      {{"send", "-p", "1", "B0 0C 31"}, sendUsage},
      {{"send", "B0 0C 31", "--port", "1"}, sendUsage},
      {{"send", "--port", "1", "--port", "2", "B0 0C 31"}, sendUsage},
      {{"send", "-", "B0 0C 31"}, sendUsage},
      {{"preset", "--help"}, presetUsage},
      {{"preset", "-p", "1", "USER", "3B"}, presetUsage},
      {{"preset", "USER", "-3B"}, presetUsage},
      {{"preset", "USER"}, presetUsage},
      {{"preset", "USER", "3B", "4C"}, presetUsage},
      {{"preset", "--port", "x", "USER", "3B"}, presetUsage},
  };
  for (const auto& [args, expected] : cases) {
    const CliRun run = Cli(args);
    EXPECT_EQ(run.status, 2) << ::testing::PrintToString(args);
    EXPECT_TRUE(expected == usage ? run.err.starts_with(usage) && run.err.ends_with("\n")
                                  : run.err == expected)
        << ::testing::PrintToString(args) << ": " << run.err;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_THAT(Captured(), IsEmpty());
}

// Asked for, the version and the usage are the output of a successful run, never a send.
TEST_F(CliPortsSendTest, VersionAndHelpAnswerOnTheOutput) {
  const std::string usage = "usage: velmora-cli ports [--watch] | send [--port N] TEXT...";
  const CliRun version = Cli({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "Velmora 1.01\n");
  const CliRun help = Cli({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.starts_with(usage) && help.out.ends_with("\n")) << help.out;
  EXPECT_EQ(version.err + help.err, "");
  EXPECT_EQ(Cli({"--version", "ports"}).status, 2);
  EXPECT_THAT(Captured(), IsEmpty());
}

TEST_F(CliPortsSendTest, OutputThatCannotBeWrittenIsAnError) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no full device to write to";
#endif
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"ports"}, {"ports", "--watch"}}) {
    const CliRun run = CliWith(args, "VELMORA_MIDI=virtual", "/dev/full");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "velmora-cli: the output could not be written: No space left on device.\n");
  }
#ifndef _WIN32
  // Closed, stdout must not become the capture file, the next file the program opens.
  const std::string closed =
      "VELMORA_MIDI=virtual VELMORA_MIDI_CAPTURE=" + Quoted(capture_.string()) + " " +
      Quoted(VELMORA_CLI_PATH) + " ports >&- 2>" + Quoted((folder_ / "err").string());
  EXPECT_EQ(WEXITSTATUS(std::system(closed.c_str())), 1);
  EXPECT_EQ(Slurp(folder_ / "err"),
            "velmora-cli: the output could not be written: Bad file descriptor.\n");
  EXPECT_EQ(Slurp(capture_), "");
#endif
}

}  // namespace
}  // namespace velmora

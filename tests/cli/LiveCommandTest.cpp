// velmora-cli live stepped by a replayed footswitch, and its arguments refused unsent.

#include <gmock/gmock.h>

#include "CliRunner.h"
#include "profile/AtomicFile.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class LiveCommandTest : public CliRunnerTest {
 protected:
  LiveCommandTest() : setlist_(folder_ / "gig.vsl") {
    std::ofstream(setlist_, std::ios::binary) << "USER 1A\nFACTORY 2B\tSolo\nmissing.vmp\n";
  }
  std::filesystem::path setlist_;
};

#ifndef _WIN32
// Item 1; next, a release, next onto a missing file, next at the end, previous; 0.8 s apart.
TEST_F(LiveCommandTest, StepsByFootswitchUntilSigtermAndEndsWithZero) {
  std::ofstream(folder_ / "pedal.txt")
      << "800 0 C0 05\n1600 0 B0 50 00\n2400 0 C0 05\n3200 0 C0 05\n4000 0 B0 50 7F\n";
  const CliRun run = CliWith(
      {"live", setlist_.string(), "--in", "0", "--next", "C0 05", "--previous", "b0 50 7f"},
      "VELMORA_MIDI=virtual VELMORA_MIDI_REPLAY=" + Quoted((folder_ / "pedal.txt").string()) +
          " VELMORA_MIDI_CAPTURE=" + Quoted(capture_.string()) +
          " timeout --preserve-status -s TERM 6");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "1/3 USER 1A\n2/3 Solo\n3/3 missing\nAlready on the last item (3/3)\n"
            "2/3 Solo\n");
  const std::string missing = FullPathText(folder_ / "missing.vmp");
  EXPECT_EQ(run.err, "Missing from the setlist " + FullPathText(setlist_) + ":\n  " + missing +
                         "\nImpossible de lire " + missing + "\n");
  EXPECT_THAT(Captured(),
              ElementsAre("0 C0 0E", "0 C0 00", "0 C0 4E", "0 C0 45", "0 C0 4E", "0 C0 45"));
}
#endif

TEST_F(LiveCommandTest, ArgumentErrorsSendNothing) {
  std::ofstream(folder_ / "bad.vsl") << "USER 1A\n\nUSER 0A\n";
  const std::string bad = FullPathText(folder_ / "bad.vsl");
  const struct {
    std::vector<std::string> args;
    int status;
    std::string err;
  } cases[] = {
      {{"live"},
       2,
       "usage: velmora-cli live SETLIST [--port N] [--in M]... [--next HEX] [--previous "
       "HEX]\n"},
      {{"live", setlist_.string(), "--previous", "C0 05"},
       2,
       "velmora-cli live: --next and --previous listen on the input ports given with --in M; "
       "none was given\n"},
      {{"live", bad},
       1,
       bad + ":3: neither a preset file (.vmp) nor USER or FACTORY and a key from 1A to 16D: "
             "\"USER 0A\"\n"},
      {{"live", setlist_.string(), "--in", "0", "--previous", "B3 50 00"},
       2,
       "velmora-cli live: --previous: \"B3 50 00\" is a Control Change with value 0, a "
       "switch's release, which never steps\n"},
  };
  for (const auto& bad : cases) {
    const CliRun run = Cli(bad.args);
    EXPECT_EQ(run.status, bad.status) << bad.args.back();
    EXPECT_EQ(run.err, bad.err) << bad.args.back();
    EXPECT_THAT(Captured(), IsEmpty()) << bad.args.back();
  }
}

}  // namespace
}  // namespace velmora

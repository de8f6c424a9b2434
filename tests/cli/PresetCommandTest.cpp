// Runs "velmora-cli preset" on virtual ports: the Program Changes a footswitch script gets.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/CliRunner.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;

constexpr const char* kPresetUsage =
    "usage: velmora-cli preset [--port N] GROUP KEY\n"
    "  GROUP: USER, FACTORY or FACT; KEY: a bank from 1 to 16, then a letter from A to D "
    "(3B, 16d). Letter case does not count.\n";

class PresetCommandTest : public CliRunnerTest {};

TEST_F(PresetCommandTest, SendsTheGroupSwitchThenThePresetOnTheChosenPort) {
  CliRun run = Cli({"preset", "USER", "3B"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
  run = Cli({"preset", "--port", "1", "FACTORY", "16D"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_THAT(Captured(), ElementsAre("0 C0 0E", "0 C0 09", "1 C0 4E", "1 C0 7F"));
}

// A word outside the forms would send the group switch alone, itself the recall of USER 4C
// or FACTORY 4C: every one of them is refused with the forms, and nothing goes out.
TEST_F(PresetCommandTest, GroupsAndKeysInAnyCaseAndNothingElse) {
  struct Case {
    const char* group;
    const char* key;
    std::vector<std::string> sent;  // empty: refused
  };
  std::vector<Case> cases = {{"user", "3b", {"0 C0 0E", "0 C0 09"}},
                             {"Fact", "10c", {"0 C0 4E", "0 C0 66"}},
                             {"factory", "16D", {"0 C0 4E", "0 C0 7F"}},
                             {"USER", "1a", {"0 C0 0E", "0 C0 00"}}};
  for (const char* key : {"99A", "03B", "0A", "17A", "3E", "", "é", "3B ", "B3", "+3B"}) {
    cases.push_back({"USER", key, {}});
  }
  cases.insert(cases.end(), {{"FACTOR", "3B", {}}, {"", "3B", {}}});
  for (const Case& c : cases) {
    std::filesystem::remove(capture_);
    const CliRun run = Cli({"preset", c.group, c.key});
    EXPECT_EQ(run.status, c.sent.empty() ? 2 : 0) << c.group << ' ' << c.key;
    EXPECT_EQ(run.err, c.sent.empty() ? kPresetUsage : "") << c.group << ' ' << c.key;
    EXPECT_EQ(Captured(), c.sent) << c.group << ' ' << c.key;
  }
}

}  // namespace
}  // namespace velmora

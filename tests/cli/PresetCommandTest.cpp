// Runs "velmora-cli preset" on virtual ports: the Program Changes a footswitch script gets.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/CliRunner.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class PresetCommandTest : public CliRunnerTest {};

TEST_F(PresetCommandTest, SendsTheGroupSwitchThenThePresetOnTheChosenPort) {
  CliRun run = Cli({"preset", "USER", "3B"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
  run = Cli({"preset", "--port", "1", "FACTORY", "16D"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  // A key outside the table (the case counts) still sends the group switch alone.
  EXPECT_EQ(Cli({"preset", "USER", "1a"}).status, 0);
  EXPECT_THAT(Captured(), ElementsAre("0 C0 0E", "0 C0 09", "1 C0 4E", "1 C0 7F", "0 C0 0E"));
}

TEST_F(PresetCommandTest, AnUnknownGroupSendsNothing) {
  for (const char* group : {"user", "Factory", ""}) {
    const CliRun run = Cli({"preset", group, "3B"});
    EXPECT_EQ(run.status, 0) << group;
    EXPECT_EQ(run.err, "") << group;
  }
  EXPECT_THAT(Captured(), IsEmpty());
}

}  // namespace
}  // namespace velmora

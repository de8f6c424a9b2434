#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "surface/shell/StartOptions.h"

namespace velmora {
namespace {

using Action = StartOptions::Action;

TEST(StartOptionsTest, VersionHelpFileOrRefusal) {
  struct Case {
    std::vector<std::string> words;
    Action action;
    std::string file;
  };
  const Case cases[] = {
      {{}, Action::kRun, ""},
      {{"rig.vmp"}, Action::kRun, "rig.vmp"},
      {{"Réglages/chœur.vmp"}, Action::kRun, "Réglages/chœur.vmp"},
      {{"--version"}, Action::kVersion, ""},
      {{"rig.vmp", "--version"}, Action::kVersion, ""},
      {{"--help"}, Action::kHelp, ""},
      {{"-x", "--help"}, Action::kHelp, ""},
      {{"--version", "--help"}, Action::kVersion, ""},
      {{"a.vmp", "b.vmp"}, Action::kRefused, ""},
      {{"--verbose"}, Action::kRefused, ""},
      {{"-"}, Action::kRefused, ""},
      {{""}, Action::kRefused, ""},
  };
  for (const Case& given : cases) {
    const StartOptions options = ReadStartOptions(given.words);
    const std::string words = testing::PrintToString(given.words);
    EXPECT_EQ(options.action, given.action) << words;
    const std::u8string file = options.file ? options.file->u8string() : u8"";
    EXPECT_EQ(std::string(file.begin(), file.end()), given.file) << words;
  }
  EXPECT_EQ(VersionText(), "Velmora 1.01");
  EXPECT_TRUE(StartUsage().starts_with("usage: velmora [FILE.vmp] | --version | --help\n"));
}

}  // namespace
}  // namespace velmora

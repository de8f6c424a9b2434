// POSIX only: the bytes as this system names files. On Windows the path travels as UTF-16,
// which the Wine test of one editor at a time checks end to end.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <string>

#include "surface/shell/HandOver.h"

namespace velmora {
namespace {

TEST(HandOverTest, RaiseAndOpenCrossWhole) {
  EXPECT_EQ(EncodeHandOver({}), "VLMR1R");
  ASSERT_TRUE(DecodeHandOver("VLMR1R"));
  EXPECT_FALSE(DecodeHandOver("VLMR1R")->file);
  const std::filesystem::path file = std::filesystem::path(u8"/home/joueur/Réglages/chœur.vmp");
  EXPECT_EQ(EncodeHandOver({file}), "VLMR1O" + file.string());
  const auto back = DecodeHandOver(EncodeHandOver({file}));
  ASSERT_TRUE(back && back->file);
  EXPECT_EQ(*back->file, file);
  // A relative name is the second start's: it arrives whole.
  EXPECT_EQ(*DecodeHandOver(EncodeHandOver({"rig.vmp"}))->file,
            std::filesystem::current_path() / "rig.vmp");
}

TEST(HandOverTest, RefusesWhatNoStartSends) {
  const std::string longest = "VLMR1O/" + std::string(kHandOverMaxBytes - 7, 'a');
  EXPECT_TRUE(DecodeHandOver(longest));
  const std::string cases[] = {
      "",
      "VLMR1",
      "VLMR2R",
      "vlmr1R",
      "VLMR1X/a.vmp",
      "VLMR1O",
      "VLMR1Rx",
      "VLMR1Oa.vmp",
      std::string("VLMR1O/a\0.vmp", 13),
      longest + "a",
  };
  for (const std::string& bytes : cases) {
    EXPECT_FALSE(DecodeHandOver(bytes)) << testing::PrintToString(bytes);
  }
}

}  // namespace
}  // namespace velmora

#endif

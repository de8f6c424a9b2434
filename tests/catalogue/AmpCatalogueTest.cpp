#include <gtest/gtest.h>

#include <set>
#include <string>

#include "catalogue/MessageBytes.h"
#include "catalogue/Vetta2_Amplis.h"

namespace velmora {
namespace {

using testing::MessageBytes;

constexpr Channel kChannels[] = {Channel::Amp1, Channel::Amp2};

TEST(AmpCatalogue, EveryValueFrom00To49IsUsedExactlyOncePerChannel) {
  for (Channel channel : kChannels) {
    const std::uint8_t controller = channel == Channel::Amp1 ? 0x0C : 0x5B;
    std::set<int> values;
    for (const ModelRecord& record : AmpCatalogue(channel)) {
      const auto bytes = MessageBytes(record.Message);
      ASSERT_EQ(bytes.size(), 3u) << record.Message;
      EXPECT_EQ(bytes[0], 0xB0) << record.Message;
      EXPECT_EQ(bytes[1], controller) << record.Message;
      EXPECT_TRUE(values.insert(bytes[2]).second) << "value used twice: " << record.Message;
    }
    ASSERT_EQ(values.size(), 74u);
    EXPECT_EQ(*values.begin(), 0x00);
    EXPECT_EQ(*values.rbegin(), 0x49);
  }
}

TEST(AmpCatalogue, ChannelsDifferOnlyInControllerAndTwoScreenTexts) {
  const auto& amp1 = AmpCatalogue(Channel::Amp1);
  const auto& amp2 = AmpCatalogue(Channel::Amp2);
  for (int i = 0; i < kAmpRecordCount; ++i) {
    SCOPED_TRACE("record " + std::to_string(i + 1));
    EXPECT_EQ(amp1[i].DisplayName, amp2[i].DisplayName);
    EXPECT_EQ(amp1[i].Message.substr(0, 6), "B0 0C ");
    EXPECT_EQ(amp2[i].Message.substr(0, 6), "B0 5B ");
    EXPECT_EQ(amp1[i].Message.substr(6), amp2[i].Message.substr(6));
    if (i + 1 != 44 && i + 1 != 45) {
      EXPECT_EQ(amp1[i].ModelName, amp2[i].ModelName);
    }
  }
  EXPECT_EQ(AmpRecord(Channel::Amp1, 44).ModelName, "TFender Dual Showman head (1967)");
  EXPECT_EQ(AmpRecord(Channel::Amp2, 44).ModelName, "Fender Dual Showman head (1967)");
  EXPECT_EQ(AmpRecord(Channel::Amp1, 45).ModelName, "Fender Bassman head(1972)");
  EXPECT_EQ(AmpRecord(Channel::Amp2, 45).ModelName, "Fender Bassman head (1972)");
}

// Display names are what preset files store: they must be distinct, plain ASCII and free of
// outer blanks, which the file reader would drop.
TEST(AmpCatalogue, DisplayNamesAreDistinctAsciiAndUnpadded) {
  for (Channel channel : kChannels) {
    std::set<std::string_view> names;
    for (const ModelRecord& record : AmpCatalogue(channel)) {
      EXPECT_TRUE(names.insert(record.DisplayName).second) << record.DisplayName;
      ASSERT_FALSE(record.DisplayName.empty());
      EXPECT_NE(record.DisplayName.front(), ' ');
      EXPECT_NE(record.DisplayName.back(), ' ');
      for (char c : record.DisplayName) {
        EXPECT_TRUE(c >= 0x20 && c < 0x7F) << record.DisplayName;
      }
    }
  }
}

TEST(AmpCatalogue, GoldenRecords) {
  struct Golden {
    int number;
    std::string_view displayName, modelName, message;
  };
  const Golden goldens[] = {
      {1, "Bypass (no amp)", "No amp model", "B0 0C 31"},
      {6, "Line6 Clean", "Line6 Clean", "B0 0C 00"},
      {9, "Line6 Super Sparkl", "Line6 Super Sparkl", "B0 0C 34"},
      {32, "'O1 Zen Master", "Budda Twinmaster (2001)", "B0 0C 0F"},
      {44, "'67 Fn Black Dual Show", "TFender Dual Showman head (1967)", "B0 0C 43"},
      {45, "'72 Fn Silver Bass Head", "Fender Bassman head(1972)", "B0 0C 44"},
      {67, "'02 Missippi Criminal", "Peavey 5150 II (2002)", "B0 0C 49"},
      {71, "'63 Super O Pawnshop", "Supro S6616 ('60)", "B0 0C 29"},
      {73, "'61 Class A C-15", "Vox AC-15 (1961)", "B0 0C 2B"},
      {74, "'67 Class A C-30 TB", "Vox AC-30 Top Bost (1967)", "B0 0C 2C"},
  };
  for (const Golden& g : goldens) {
    const ModelRecord& record = AmpRecord(Channel::Amp1, g.number);
    EXPECT_EQ(record.DisplayName, g.displayName);
    EXPECT_EQ(record.ModelName, g.modelName);
    EXPECT_EQ(record.Message, g.message);
  }
  EXPECT_EQ(AmpRecord(Channel::Amp2, 1).Message, "B0 5B 31");
  EXPECT_EQ(AmpRecord(Channel::Amp2, 74).Message, "B0 5B 2C");
  EXPECT_EQ(AmpRecord(Channel::Amp2, 32).DisplayName.substr(0, 2), "'O");  // a letter O
}

TEST(AmpCatalogue, LookupComparesNamesExactly) {
  EXPECT_EQ(FindAmpRecord(Channel::Amp1, "Line6 Super Sparkl"), 9);
  EXPECT_EQ(FindAmpRecord(Channel::Amp2, "Line6 Super Sparkl"), 9);
  EXPECT_EQ(FindAmpRecord(Channel::Amp1, "Bypass (no amp)"), 1);
  EXPECT_EQ(FindAmpRecord(Channel::Amp2, "'67 Class A C-30 TB"), 74);
  EXPECT_EQ(FindAmpRecord(Channel::Amp1, "'O1 Zen Master"), 32);
  EXPECT_EQ(FindAmpRecord(Channel::Amp1, "'01 Zen Master"), std::nullopt);  // digit zero
  EXPECT_EQ(FindAmpRecord(Channel::Amp1, "line6 super sparkl"), std::nullopt);
  EXPECT_EQ(FindAmpRecord(Channel::Amp1, "Line6 Super Sparkl "), std::nullopt);
  EXPECT_EQ(FindAmpRecord(Channel::Amp1, " Line6 Super Sparkl"), std::nullopt);
  EXPECT_EQ(FindAmpRecord(Channel::Amp1, "Line6 Super Sparkle"), std::nullopt);
  EXPECT_EQ(FindAmpRecord(Channel::Amp1, ""), std::nullopt);
  EXPECT_EQ(FindAmpRecord(Channel::Amp1, "Bypass (no cab)"), std::nullopt);
}

TEST(AmpCatalogue, RecordNumbersOutsideTheTableAreRefused) {
  EXPECT_THROW(AmpRecord(Channel::Amp1, 0), std::out_of_range);
  EXPECT_THROW(AmpRecord(Channel::Amp2, 75), std::out_of_range);
  EXPECT_EQ(&AmpRecord(Channel::Amp2, 74), &AmpCatalogue(Channel::Amp2)[73]);
}

TEST(ChannelCodes, KnobPrefixesInDriveBassMidTrebPresVolOrder) {
  const ChannelCodeSet& amp1 = ChannelCodes(Channel::Amp1);
  const ChannelCodeSet& amp2 = ChannelCodes(Channel::Amp2);
  const std::array<std::string_view, kKnobsPerChannel> prefixes1 = {"B0 0D ", "B0 0E ", "B0 0F ",
                                                                    "B0 10 ", "B0 15 ", "B0 11 "};
  const std::array<std::string_view, kKnobsPerChannel> prefixes2 = {"B0 5C ", "B0 5D ", "B0 5E ",
                                                                    "B0 5F ", "B0 66 ", "B0 67 "};
  EXPECT_EQ(amp1.KnobPrefixes, prefixes1);
  EXPECT_EQ(amp2.KnobPrefixes, prefixes2);
  EXPECT_EQ(amp1.PowerOnText, "B0 6F 7F");
  EXPECT_EQ(amp1.PowerOffText, "B0 6F 00");
  EXPECT_EQ(amp2.PowerOnText, "B0 70 7F");
  EXPECT_EQ(amp2.PowerOffText, "B0 70 00");
}

}  // namespace
}  // namespace velmora

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "catalogue/MessageBytes.h"
#include "catalogue/Vetta2_Enceintes.h"

namespace velmora {
namespace {

using testing::MessageBytes;

TEST(CabCatalogue, MessageCarriesChannelAndRecordNumberLessOne) {
  for (Channel channel : {Channel::Amp1, Channel::Amp2}) {
    const std::uint8_t channelByte = channel == Channel::Amp1 ? 0x00 : 0x02;
    for (int number = 1; number <= kCabRecordCount; ++number) {
      SCOPED_TRACE("record " + std::to_string(number));
      const std::vector<std::uint8_t> expected = {0xF0,
                                                  0x00,
                                                  0x01,
                                                  0x0C,
                                                  0x03,
                                                  0x07,
                                                  0x0D,
                                                  0x00,
                                                  channelByte,
                                                  0x00,
                                                  0x00,
                                                  static_cast<std::uint8_t>((number - 1) >> 4),
                                                  static_cast<std::uint8_t>((number - 1) & 0x0F),
                                                  0xF7};
      EXPECT_EQ(MessageBytes(CabRecord(channel, number).Message), expected);
    }
  }
}

TEST(CabCatalogue, ChannelsDifferOnlyInChannelByteAndRecordTwoScreenText) {
  const auto& cab1 = CabCatalogue(Channel::Amp1);
  const auto& cab2 = CabCatalogue(Channel::Amp2);
  for (int i = 0; i < kCabRecordCount; ++i) {
    SCOPED_TRACE("record " + std::to_string(i + 1));
    EXPECT_EQ(cab1[i].DisplayName, cab2[i].DisplayName);
    if (i + 1 != 2) {
      EXPECT_EQ(cab1[i].ModelName, cab2[i].ModelName);
    }
  }
  EXPECT_EQ(CabRecord(Channel::Amp1, 2).ModelName, "1x6x9 Supro S6616 ('60)");
  // UTF-8 in memory: "é" is C3 A9 here and becomes E9 only in files.
  EXPECT_EQ(CabRecord(Channel::Amp2, 2).ModelName,
            "1x6x9 Supro S6616 ann\xC3\xA9"
            "es ('60)");
}

TEST(CabCatalogue, DisplayNamesAreDistinctAsciiAndUnpadded) {
  std::set<std::string_view> names;
  for (const ModelRecord& record : CabCatalogue(Channel::Amp1)) {
    EXPECT_TRUE(names.insert(record.DisplayName).second) << record.DisplayName;
    EXPECT_NE(record.DisplayName.front(), ' ');
    EXPECT_NE(record.DisplayName.back(), ' ');
    for (char c : record.DisplayName) {
      EXPECT_TRUE(c >= 0x20 && c < 0x7F) << record.DisplayName;
    }
  }
}

TEST(CabCatalogue, GoldenRecords) {
  EXPECT_EQ(CabRecord(Channel::Amp1, 1).DisplayName, "Bypass (no cab)");
  EXPECT_EQ(CabRecord(Channel::Amp1, 1).ModelName, "No cab model");
  EXPECT_EQ(CabRecord(Channel::Amp1, 1).Message, "F0 00 01 0C 03 07 0D 00 00 00 00 00 00 F7");
  EXPECT_EQ(CabRecord(Channel::Amp2, 28).DisplayName, "4x12 HiGn SOLO");
  EXPECT_EQ(CabRecord(Channel::Amp2, 28).ModelName, "4x12 Soldano (1993)");
  EXPECT_EQ(CabRecord(Channel::Amp2, 28).Message, "F0 00 01 0C 03 07 0D 00 02 00 00 01 0B F7");
  EXPECT_EQ(CabRecord(Channel::Amp1, 16).DisplayName, "2x12 Match");
  EXPECT_EQ(CabRecord(Channel::Amp1, 16).Message, "F0 00 01 0C 03 07 0D 00 00 00 00 00 0F F7");
  EXPECT_EQ(CabRecord(Channel::Amp1, 17).DisplayName, "2x12 Jazz");
  EXPECT_EQ(CabRecord(Channel::Amp1, 17).Message, "F0 00 01 0C 03 07 0D 00 00 00 00 01 00 F7");
  EXPECT_EQ(CabRecord(Channel::Amp1, 23).DisplayName, "4x12 Green 20's");
  EXPECT_EQ(CabRecord(Channel::Amp1, 23).ModelName, "4x12 Marshall Celestion Greenback (1967)");
  EXPECT_EQ(CabRecord(Channel::Amp2, 8).ModelName, "1x12 enceinte Line 6");
}

TEST(CabCatalogue, LookupComparesNamesExactly) {
  EXPECT_EQ(FindCabRecord(Channel::Amp1, "Bypass (no cab)"), 1);
  EXPECT_EQ(FindCabRecord(Channel::Amp2, "4x12 HiGn SOLO"), 28);
  EXPECT_EQ(FindCabRecord(Channel::Amp2, "1x6 Super O"), 2);
  EXPECT_EQ(FindCabRecord(Channel::Amp1, "4x12 HIGN SOLO"), std::nullopt);
  EXPECT_EQ(FindCabRecord(Channel::Amp1, "1x10 "), std::nullopt);
  EXPECT_EQ(FindCabRecord(Channel::Amp1, "Bypass (no amp)"), std::nullopt);
  EXPECT_THROW(CabRecord(Channel::Amp1, 0), std::out_of_range);
  EXPECT_THROW(CabRecord(Channel::Amp1, 29), std::out_of_range);
}

}  // namespace
}  // namespace velmora

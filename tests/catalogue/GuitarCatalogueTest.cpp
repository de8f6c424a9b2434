#include <gtest/gtest.h>

#include <set>
#include <string>

#include "catalogue/MessageBytes.h"
#include "catalogue/Variax.h"

namespace velmora {
namespace {

using testing::MessageBytes;

int ModelNumber(const GuitarRecord& record) {
  const auto bytes = MessageBytes(record.Message);
  EXPECT_EQ(bytes.size(), 14u) << record.Message;
  const std::vector<std::uint8_t> head = {0xF0, 0x00, 0x01, 0x0C, 0x03, 0x07,
                                          0x0D, 0x02, 0x00, 0x00, 0x00};
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 11), head);
  EXPECT_LE(bytes[12], 0x0F);
  EXPECT_EQ(bytes[13], 0xF7);
  return bytes[11] * 16 + bytes[12];
}

TEST(GuitarCatalogue, BankAndPositionFollowTheRowAndModelNumberIsFiveBPlusSixMinusP) {
  const std::string_view bankNames[] = {"T-MODEL", "SPANK", "LESTER",  "SPECIAL",  "R-BILLY",
                                        "CHIME",   "SEMI",  "JAZZBOX", "ACOUSTIC", "RESO"};
  std::set<int> numbers;
  for (int i = 1; i <= kGuitarRecordCount; ++i) {
    SCOPED_TRACE("record " + std::to_string(i));
    const GuitarRecord& record = GuitarRecordAt(i);
    const int bank = (i - 1) / 5 + 1;
    const int position = (i - 1) % 5 + 1;
    EXPECT_EQ(record.Bank, bankNames[bank - 1]);
    EXPECT_EQ(record.Position, std::to_string(position));
    const int n = ModelNumber(record);
    EXPECT_EQ(n, 5 * bank + 6 - position);
    numbers.insert(n);
  }
  ASSERT_EQ(numbers.size(), 50u);
  EXPECT_EQ(*numbers.begin(), 6);
  EXPECT_EQ(*numbers.rbegin(), 55);
  EXPECT_EQ(ModelNumber(GuitarRecordAt(36)), 45);  // JAZZBOX 1
  EXPECT_EQ(ModelNumber(GuitarRecordAt(41)), 50);  // ACOUSTIC 1
}

TEST(GuitarCatalogue, MessagesOfTheWorkedExamples) {
  EXPECT_EQ(GuitarRecordAt(1).Message, "F0 00 01 0C 03 07 0D 02 00 00 00 00 0A F7");
  EXPECT_EQ(GuitarRecordAt(5).Message, "F0 00 01 0C 03 07 0D 02 00 00 00 00 06 F7");
  EXPECT_EQ(GuitarRecordAt(30).Message, "F0 00 01 0C 03 07 0D 02 00 00 00 01 0F F7");
  EXPECT_EQ(GuitarRecordAt(46).Message, "F0 00 01 0C 03 07 0D 02 00 00 00 03 07 F7");
}

TEST(GuitarCatalogue, FieldsHaveTheirShapes) {
  std::set<std::string> keys;
  for (int i = 1; i <= kGuitarRecordCount; ++i) {
    SCOPED_TRACE("record " + std::to_string(i));
    const GuitarRecord& record = GuitarRecordAt(i);
    const std::string key = GuitarKey(i);
    EXPECT_TRUE(keys.insert(key).second) << key;
    EXPECT_NE(key.back(), ' ');
    EXPECT_NE(record.Model.front(), ' ');
    // The picture name lists the positions that show it, this one included.
    EXPECT_TRUE(record.Picture.ends_with(".jpg")) << record.Picture;
    EXPECT_NE(record.Picture.find(record.Position), std::string_view::npos) << record.Picture;
    ASSERT_EQ(record.PickupPattern.size(), 5u);
    for (int d : {0, 2, 4}) {
      EXPECT_TRUE(record.PickupPattern[d] >= '0' && record.PickupPattern[d] <= '2');
    }
    EXPECT_EQ(record.PickupPattern[1], ':');
    EXPECT_EQ(record.PickupPattern[3], ':');
    EXPECT_TRUE(record.Year.empty() || record.Year.size() == 4u);
    EXPECT_EQ(record.PickupText.empty(), i >= 41);
  }
  EXPECT_TRUE(GuitarRecordAt(47).Year.empty());
  EXPECT_EQ(GuitarRecordAt(46).Year, "1935");
  EXPECT_EQ(GuitarRecordAt(48).Year, "1965");
}

TEST(GuitarCatalogue, GoldenRecords) {
  const GuitarRecord& tele = GuitarRecordAt(2);
  EXPECT_EQ(tele.Bank, "T-MODEL");
  EXPECT_EQ(tele.Position, "2");
  EXPECT_EQ(tele.Brand, "Fender");
  EXPECT_EQ(tele.Model, "Telecaster modified");
  EXPECT_EQ(tele.PickupText, "En s\xC3\xA9rie");  // UTF-8 in memory
  EXPECT_EQ(tele.Message, "F0 00 01 0C 03 07 0D 02 00 00 00 00 09 F7");
  EXPECT_EQ(tele.Picture, "2.jpg");
  EXPECT_EQ(tele.PickupPattern, "1:0:1");
  EXPECT_EQ(tele.Year, "1968");

  const GuitarRecord& lester = GuitarRecordAt(14);
  EXPECT_EQ(lester.Bank, "LESTER");
  EXPECT_EQ(lester.Brand, "Gibson");
  EXPECT_EQ(lester.Model, "Corvane Custom");
  EXPECT_EQ(lester.PickupText, "Chevalet + Centre");
  EXPECT_EQ(lester.Picture, "4.jpg");
  EXPECT_EQ(lester.PickupPattern, "0:2:2");
  EXPECT_EQ(lester.Year, "1961");

  const GuitarRecord& sitar = GuitarRecordAt(47);
  EXPECT_EQ(sitar.Bank, "RESO");
  EXPECT_EQ(sitar.Brand, "Coral");
  EXPECT_EQ(sitar.Model, "Sitar");
  EXPECT_EQ(sitar.PickupText, "");
  EXPECT_EQ(sitar.Message, "F0 00 01 0C 03 07 0D 02 00 00 00 03 06 F7");
  EXPECT_EQ(sitar.Picture, "2.jpg");
  EXPECT_EQ(sitar.PickupPattern, "1:0:1");
  EXPECT_EQ(sitar.Year, "");

  EXPECT_EQ(GuitarRecordAt(10).Picture, "12345.jpg");
  EXPECT_EQ(GuitarRecordAt(50).Brand, "National");
  EXPECT_EQ(GuitarRecordAt(50).Model, "Tricorne");
  EXPECT_EQ(GuitarRecordAt(50).Year, "1928");
}

TEST(GuitarCatalogue, KeysAndLookup) {
  EXPECT_EQ(GuitarKey(1), "1 Telecaster Custom");
  EXPECT_EQ(GuitarKey(48), "3 3021");
  EXPECT_EQ(FindGuitarRecord("1 Telecaster Custom"), 1);
  EXPECT_EQ(FindGuitarRecord("4 Telecaster Custom"), 4);
  EXPECT_EQ(FindGuitarRecord("3 3021"), 48);
  EXPECT_EQ(FindGuitarRecord("3 3021 "), std::nullopt);
  EXPECT_EQ(FindGuitarRecord(" 3 3021"), std::nullopt);
  EXPECT_EQ(FindGuitarRecord("3  3021"), std::nullopt);
  EXPECT_EQ(FindGuitarRecord("1 telecaster custom"), std::nullopt);
  EXPECT_EQ(FindGuitarRecord("Telecaster Custom"), std::nullopt);
  EXPECT_EQ(FindGuitarRecord(""), std::nullopt);
  for (int i = 1; i <= kGuitarRecordCount; ++i) {
    EXPECT_EQ(FindGuitarRecord(GuitarKey(i)), i);
  }
  EXPECT_THROW(GuitarRecordAt(0), std::out_of_range);
  EXPECT_THROW(GuitarKey(51), std::out_of_range);
}

}  // namespace
}  // namespace velmora

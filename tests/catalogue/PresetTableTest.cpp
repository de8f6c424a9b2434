#include <gtest/gtest.h>

#include <string>

#include "catalogue/MessageBytes.h"
#include "catalogue/Presets.h"

namespace velmora {
namespace {

using testing::MessageBytes;

TEST(PresetTables, KeysInBankLetterOrderAndProgramNumbersPerGroup) {
  for (int j = 1; j <= kPresetEntryCount; ++j) {
    SCOPED_TRACE("entry " + std::to_string(j));
    const int bank = (j - 1) / 4 + 1;
    const int letter = (j - 1) % 4;
    const std::string key = std::to_string(bank) + "ABCD"[letter];
    const PresetEntry& user = UserPresetTable()[j - 1];
    const PresetEntry& factory = FactoryPresetTable()[j - 1];
    EXPECT_EQ(user.Key, key);
    EXPECT_EQ(factory.Key, key);
    const int program = 4 * (bank - 1) + letter;
    EXPECT_EQ(MessageBytes(user.Message), (std::vector<std::uint8_t>{0xC0, std::uint8_t(program)}));
    EXPECT_EQ(MessageBytes(factory.Message),
              (std::vector<std::uint8_t>{0xC0, std::uint8_t(64 + program)}));
  }
}

TEST(PresetTables, WorkedExamplesAndGroupTexts) {
  EXPECT_EQ(UserPresetTable()[0].Message, "C0 00");
  EXPECT_EQ(UserPresetTable()[14].Key, "4C");
  EXPECT_EQ(UserPresetTable()[14].Message, "C0 0E");
  EXPECT_EQ(UserPresetTable()[63].Key, "16D");
  EXPECT_EQ(UserPresetTable()[63].Message, "C0 3F");
  EXPECT_EQ(FactoryPresetTable()[0].Message, "C0 40");
  EXPECT_EQ(FactoryPresetTable()[9].Key, "3B");
  EXPECT_EQ(FactoryPresetTable()[9].Message, "C0 49");
  EXPECT_EQ(FactoryPresetTable()[14].Message, "C0 4E");
  EXPECT_EQ(FactoryPresetTable()[25].Key, "7B");
  EXPECT_EQ(FactoryPresetTable()[25].Message, "C0 59");
  EXPECT_EQ(FactoryPresetTable()[63].Message, "C0 7F");
  EXPECT_EQ(kFactoryGroupText, FactoryPresetTable()[14].Message);
  EXPECT_EQ(kUserGroupText, UserPresetTable()[14].Message);
}

}  // namespace
}  // namespace velmora

#include <gtest/gtest.h>

#include "profile/IntegerText.h"

namespace velmora {
namespace {

TEST(StrToInt, AcceptsDecimalWholeNumbersWithSignAndLeadingBlanks) {
  EXPECT_EQ(StrToInt("600"), 600);
  EXPECT_EQ(StrToInt("-20"), -20);
  EXPECT_EQ(StrToInt("+7"), 7);
  EXPECT_EQ(StrToInt("0"), 0);
  EXPECT_EQ(StrToInt("-0"), 0);
  EXPECT_EQ(StrToInt("000256"), 256);
  EXPECT_EQ(StrToInt(" 5"), 5);
  EXPECT_EQ(StrToInt("   -5"), -5);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
}

TEST(StrToInt, RefusesEverythingElseWithTheRuntimeText) {
  const char* refused[] = {"",    "abc",  "12abc", "99999999999", "2147483648", "-2147483649",
                           "-",   "+",    " ",     "5 ",          "- 5",        "1.5",
                           "1e3", "0x10", "$10",   "\t5",         "--5",        "\xEF\xBC\x91"};
  for (const char* text : refused) {
    try {
      StrToInt(text);
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const ConversionError& error) {
      EXPECT_EQ(error.what(), "'" + std::string(text) + "' n'est pas une valeur entière correcte");
    }
  }
}

TEST(StrToInt, ErrorQuotesTheTextAsGiven) {
  EXPECT_THROW(
      {
        try {
          StrToInt("12abc");
        } catch (const ConversionError& error) {
          EXPECT_STREQ(error.what(), "'12abc' n'est pas une valeur entière correcte");
          throw;
        }
      },
      ConversionError);
}

}  // namespace
}  // namespace velmora

#include <gtest/gtest.h>

#include "profile/Cp1252.h"

namespace velmora {
namespace {

TEST(Cp1252, AnneesRoundTripsThroughByteE9) {
  EXPECT_EQ(Utf8ToCp1252("ann\xC3\xA9"
                         "es"),
            "ann\xE9"
            "es");
  EXPECT_EQ(Cp1252ToUtf8("ann\xE9"
                         "es"),
            "ann\xC3\xA9"
            "es");
  EXPECT_EQ(Utf8ToCp1252("En s\xC3\xA9rie"), "En s\xE9rie");
}

TEST(Cp1252, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) {
    all += static_cast<char>(b);
  }
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Cp1252, HighControlBlockAndUndefinedBytes) {
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
  EXPECT_EQ(Cp1252ToUtf8("\x9F"), "\xC5\xB8");      // Y with diaeresis
  EXPECT_EQ(Cp1252ToUtf8("\x92"), "\xE2\x80\x99");  // right single quote
  // Undefined in the code page: Windows maps them to the C1 controls of the same number.
  EXPECT_EQ(Cp1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
  EXPECT_EQ(Cp1252ToUtf8("\xFF"), "\xC3\xBF");
}

TEST(Cp1252, CharactersWithoutAByteAreRefusedWithTheirCode) {
  try {
    Utf8ToCp1252("Gr\xC4\x81ve");  // a with macron, U+0101
    FAIL();
  } catch (const EncodingError& error) {
    EXPECT_STREQ(error.what(),
                 "Le caractère U+0101 n'existe pas en Windows-1252 : \"Gr\xC4\x81ve\"");
  }
  EXPECT_THROW(Utf8ToCp1252("\xC2\x80"), EncodingError);          // U+0080 has no byte
  EXPECT_THROW(Utf8ToCp1252("\xE6\x97\xA5"), EncodingError);      // CJK
  EXPECT_THROW(Utf8ToCp1252("\xF0\x9F\x8E\xB8"), EncodingError);  // emoji
}

TEST(Cp1252, InvalidUtf8IsRefused) {
  const char* invalid[] = {"\xE9",         "a\xC3",        "\xC0\xAF",
                           "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                           "\x80",         "\xC3\x28"};
  for (const char* text : invalid) {
    EXPECT_THROW(Utf8ToCp1252(text), EncodingError) << text;
  }
  try {
    Utf8ToCp1252("ab\xFF");
    FAIL();
  } catch (const EncodingError& error) {
    EXPECT_STREQ(error.what(), "Texte UTF-8 invalide à l'octet 3");
  }
}

}  // namespace
}  // namespace velmora

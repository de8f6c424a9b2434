#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "midi/Midi.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// What SendMidiText puts on the wire for a caller's text: the text plus the pad pair.
std::vector<std::uint8_t> Wire(const std::string& text) {
  ByteStream stream;
  HexTextToStream(text + " 00", stream);
  return stream.Bytes();
}

TEST(HexTextTest, SendsExactlyTheBytesWrittenInTheText) {
  EXPECT_THAT(Wire("B0 0C 31"), ElementsAre(0xB0, 0x0C, 0x31));
  EXPECT_THAT(Wire("C0 0E"), ElementsAre(0xC0, 0x0E));
  EXPECT_THAT(Wire("F0 00 01 0C 03 08 01 00 F7"),
              ElementsAre(0xF0, 0x00, 0x01, 0x0C, 0x03, 0x08, 0x01, 0x00, 0xF7));
  EXPECT_THAT(Wire(std::string("B0 0D ") + "40"), ElementsAre(0xB0, 0x0D, 0x40));
  // The caller's own " 00" is a byte like any other.
  EXPECT_THAT(Wire("B0 0C 31 00"), ElementsAre(0xB0, 0x0C, 0x31, 0x00));
}

TEST(HexTextTest, BlanksAndLetterCaseDoNotMatter) {
  for (const char* text : {"b0 0c 31", "B00C31", "B0  0C  31", "B0 0C 31 ", " B 00C3 1"}) {
    EXPECT_THAT(Wire(text), ElementsAre(0xB0, 0x0C, 0x31)) << text;
  }
}

TEST(HexTextTest, TheLastCompletePairAndAnOddDigitAreDropped) {
  EXPECT_THAT(Wire("B0 0C 3"), ElementsAre(0xB0, 0x0C));
  ByteStream stream;
  HexTextToStream("B0 0C 31", stream);
  EXPECT_THAT(stream.Bytes(), ElementsAre(0xB0, 0x0C));
  HexTextToStream("00 00", stream);
  EXPECT_THAT(stream.Bytes(), ElementsAre(0x00));
}

TEST(HexTextTest, OtherCharactersCountAsZeroAndTakePartInThePairing) {
  EXPECT_THAT(Wire("B0 0G 31"), ElementsAre(0xB0, 0x00, 0x31));
  EXPECT_THAT(Wire("B0,0C,31"), ElementsAre(0xB0, 0x00, 0xC0, 0x31));
  EXPECT_THAT(Wire("B0\t0C 31"), ElementsAre(0xB0, 0x00, 0xC3));
}

TEST(HexTextTest, ACharacterBeyondAsciiIsOneCharacterWorthZeroWhateverItsBytes) {
  EXPECT_THAT(Wire("B0 \xC3\xA9 31"), ElementsAre(0xB0, 0x03));             // é
  EXPECT_THAT(Wire("B0 0C 3\xE2\x82\xAC"), ElementsAre(0xB0, 0x0C, 0x30));  // €
  EXPECT_THAT(Wire("\xF0\x9F\x8E\xB8"
                   "B 0C 31"),
              ElementsAre(0x0B, 0x0C, 0x31));
  // Bytes that are no well-formed UTF-8 stand each for one character.
  EXPECT_THAT(Wire("B0 \xA9\xA9 31"), ElementsAre(0xB0, 0x00, 0x31));
  EXPECT_THAT(Wire("B0 \xC0\xAF 31"), ElementsAre(0xB0, 0x00, 0x31));
  EXPECT_THAT(Wire("B0 \xC3 31"), ElementsAre(0xB0, 0x03));
  EXPECT_THAT(Wire("B0 0C \xE2\x82 31"), ElementsAre(0xB0, 0x0C, 0x00, 0x31));
  EXPECT_THAT(Wire(std::string("\xFF\x80\x00\x7F", 4)), ElementsAre(0x00, 0x00));
}

TEST(HexTextTest, TextsWithNoByteBeforeThePadGiveAnEmptyStream) {
  for (const char* text : {"", " ", "5", "  7  "}) {
    EXPECT_THAT(Wire(text), IsEmpty()) << '"' << text << '"';
  }
}

TEST(HexTextTest, ReplacesThePreviousContentAndRewinds) {
  ByteStream stream;
  const std::uint8_t junk[] = {1, 2, 3, 4, 5, 6};
  stream.Append(junk, sizeof junk);
  HexTextToStream("7F 00", stream);
  EXPECT_THAT(stream.Bytes(), ElementsAre(0x7F));
  EXPECT_EQ(stream.Position(), 0u);
}

TEST(HexTextTest, HugeAndHostileTextsConvertByTheRules) {
  ByteStream stream;
  HexTextToStream(std::string(100000, 'f'), stream);
  ASSERT_EQ(stream.Size(), 49999u);
  EXPECT_EQ(stream.Bytes().front(), 0xFF);
  EXPECT_EQ(stream.Bytes().back(), 0xFF);

  std::string everyByte;
  for (int round = 0; round < 400; ++round) {
    for (int c = 0; c < 256; ++c) {
      everyByte.push_back(static_cast<char>(c));
    }
  }
  HexTextToStream(everyByte, stream);
  // 400 blanks are dropped from 102 400 characters.
  EXPECT_EQ(stream.Size(), (102400u - 400u) / 2 - 1);
}

TEST(HexTextTest, StreamToHexTextWritesUpperCaseWithABlankAfterEveryByte) {
  ByteStream stream;
  EXPECT_EQ(StreamToHexText(stream), "");
  const std::uint8_t single[] = {0x0A};
  stream.Append(single, 1);
  EXPECT_EQ(StreamToHexText(stream), "0A ");
  EXPECT_EQ(stream.Position(), 0u);
  stream.Clear();
  const std::uint8_t sysEx[] = {0xF0, 0x7F, 0xF7};
  stream.Append(sysEx, 3);
  EXPECT_EQ(StreamToHexText(stream), "F0 7F F7 ");
}

TEST(HexTextTest, EveryByteValueSurvivesTheRoundTrip) {
  ByteStream original;
  for (int value = 0; value < 256; ++value) {
    const auto byte = static_cast<std::uint8_t>(value);
    original.Append(&byte, 1);
  }
  ByteStream back;
  HexTextToStream(StreamToHexText(original) + "00", back);
  EXPECT_EQ(back.Bytes(), original.Bytes());
}

}  // namespace
}  // namespace velmora

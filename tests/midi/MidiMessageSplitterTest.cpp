#include "midi/MidiMessageSplitter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::vector<std::uint8_t> Bytes(const std::string& hex) {
  std::vector<std::uint8_t> bytes;
  std::istringstream in(hex);
  unsigned value = 0;
  while (in >> std::hex >> value) {
    bytes.push_back(static_cast<std::uint8_t>(value));
  }
  return bytes;
}

std::vector<MidiMessage> Split(const std::string& hex) {
  const auto bytes = Bytes(hex);
  return SplitMidiMessages(bytes);
}

TEST(MidiMessageSplitterTest, PadByteAfterAMessageIsDropped) {
  EXPECT_THAT(Split("B0 0C 31 00"), ElementsAre(Bytes("B0 0C 31")));
  EXPECT_THAT(Split("C0 0E 00"), ElementsAre(Bytes("C0 0E")));
  const std::string sysEx = "F0 00 01 0C 03 07 0D 00 00 00 00 00 00 F7";
  ASSERT_EQ(Bytes(sysEx).size(), 14u);
  EXPECT_THAT(Split(sysEx + " 00"), ElementsAre(Bytes(sysEx)));
}

TEST(MidiMessageSplitterTest, CompleteMessagesPassUnchanged) {
  EXPECT_THAT(Split("B0 0C 31"), ElementsAre(Bytes("B0 0C 31")));
  EXPECT_THAT(Split("C0 0E"), ElementsAre(Bytes("C0 0E")));
  EXPECT_THAT(Split("F0 00 01 0C 03 08 01 00 F7"),
              ElementsAre(Bytes("F0 00 01 0C 03 08 01 00 F7")));
  EXPECT_THAT(Split("F0 F7"), ElementsAre(Bytes("F0 F7")));
  EXPECT_THAT(Split(""), IsEmpty());
}

TEST(MidiMessageSplitterTest, SeveralMessagesKeepTheirOrder) {
  EXPECT_THAT(Split("B0 0C 31 C0 0E 90 3C 7F"),
              ElementsAre(Bytes("B0 0C 31"), Bytes("C0 0E"), Bytes("90 3C 7F")));
  EXPECT_THAT(Split("F0 01 F7 B0 07 64 F0 02 03 F7"),
              ElementsAre(Bytes("F0 01 F7"), Bytes("B0 07 64"), Bytes("F0 02 03 F7")));
}

TEST(MidiMessageSplitterTest, LengthFollowsTheStatusByte) {
  EXPECT_THAT(Split("80 3C 40 A0 3C 10 D0 22 E0 00 40"),
              ElementsAre(Bytes("80 3C 40"), Bytes("A0 3C 10"), Bytes("D0 22"), Bytes("E0 00 40")));
  EXPECT_THAT(Split("F1 12 F2 01 02 F3 05 F6"),
              ElementsAre(Bytes("F1 12"), Bytes("F2 01 02"), Bytes("F3 05"), Bytes("F6")));
  EXPECT_THAT(Split("CF 7F DF 01 EF 7F 7F"),
              ElementsAre(Bytes("CF 7F"), Bytes("DF 01"), Bytes("EF 7F 7F")));
}

TEST(MidiMessageSplitterTest, NoRunningStatus) {
  // Without running status these data bytes belong to no message.
  EXPECT_THAT(Split("90 3C 7F 3E 7F"), ElementsAre(Bytes("90 3C 7F")));
  EXPECT_THAT(Split("C0 0E 0F 10"), ElementsAre(Bytes("C0 0E")));
  EXPECT_THAT(Split("00 01 7F"), IsEmpty());
}

TEST(MidiMessageSplitterTest, SysExFollowedByDataBytes) {
  EXPECT_THAT(Split("F0 7E 7F F7 00 00 01"), ElementsAre(Bytes("F0 7E 7F F7")));
}

TEST(MidiMessageSplitterTest, RealTimeBytesStandAlone) {
  EXPECT_THAT(Split("B0 F8 0C 31"), ElementsAre(Bytes("F8"), Bytes("B0 0C 31")));
  EXPECT_THAT(Split("F0 01 FE 02 F7"), ElementsAre(Bytes("FE"), Bytes("F0 01 02 F7")));
  EXPECT_THAT(Split("F8 FA FB FC FE FF"), ElementsAre(Bytes("F8"), Bytes("FA"), Bytes("FB"),
                                                      Bytes("FC"), Bytes("FE"), Bytes("FF")));
  // A real-time byte does not end a message: after it the data still completes it.
  EXPECT_THAT(Split("C0 FC 0E 00"), ElementsAre(Bytes("FC"), Bytes("C0 0E")));
}

TEST(MidiMessageSplitterTest, TruncatedMessagesAreDropped) {
  EXPECT_THAT(Split("B0 0C"), IsEmpty());
  EXPECT_THAT(Split("B0 0C 31 90 3C"), ElementsAre(Bytes("B0 0C 31")));
  EXPECT_THAT(Split("F0 00 01 0C"), IsEmpty());
  EXPECT_THAT(Split("B0"), IsEmpty());
}

TEST(MidiMessageSplitterTest, AStatusByteCutsTheMessageInProgress) {
  EXPECT_THAT(Split("B0 0C 90 3C 7F"), ElementsAre(Bytes("90 3C 7F")));
  EXPECT_THAT(Split("F0 01 02 B0 07 64"), ElementsAre(Bytes("B0 07 64")));
  EXPECT_THAT(Split("F0 01 F0 02 F7"), ElementsAre(Bytes("F0 02 F7")));
}

TEST(MidiMessageSplitterTest, StrayAndUndefinedStatusBytesAreDropped) {
  EXPECT_THAT(Split("F7 B0 0C 31"), ElementsAre(Bytes("B0 0C 31")));
  EXPECT_THAT(Split("F7 00"), IsEmpty());
  EXPECT_THAT(Split("F4 01 F5 02 F9 FD"), IsEmpty());
  // An undefined status still ends the message it interrupts; undefined real-time does not.
  EXPECT_THAT(Split("B0 0C F4 31"), IsEmpty());
  EXPECT_THAT(Split("B0 0C F9 31"), ElementsAre(Bytes("B0 0C 31")));
}

TEST(MidiMessageSplitterTest, MessageLengths) {
  EXPECT_EQ(MidiMessageLength(0x00), 0u);
  EXPECT_EQ(MidiMessageLength(0x7F), 0u);
  EXPECT_EQ(MidiMessageLength(0x80), 3u);
  EXPECT_EQ(MidiMessageLength(0xBF), 3u);
  EXPECT_EQ(MidiMessageLength(0xC0), 2u);
  EXPECT_EQ(MidiMessageLength(0xDF), 2u);
  EXPECT_EQ(MidiMessageLength(0xE5), 3u);
  EXPECT_EQ(MidiMessageLength(0xF0), 0u);
  EXPECT_EQ(MidiMessageLength(0xF7), 0u);
  EXPECT_EQ(MidiMessageLength(0xF6), 1u);
  EXPECT_EQ(MidiMessageLength(0xFD), 0u);
  EXPECT_EQ(MidiMessageLength(0xFF), 1u);
}

}  // namespace
}  // namespace velmora

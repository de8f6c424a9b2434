#include <gmock/gmock.h>

#include "SurfaceFixture.h"
#include "midi/Midi.h"
#include "surface/editing/MidiSend.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using SendMidiTextTest = SurfaceTest;

TEST_F(SendMidiTextTest, SendsTheCallersBytesWithoutThePadPair) {
  SendMidiText(context_, "B0 0C 31");
  SendMidiText(context_, "C0 0E");
  SendMidiText(context_, "F0 00 01 0C 03 08 01 00 F7");
  SendMidiText(context_, "B0 0C 31 00");
  EXPECT_THAT(Wire(),
              ElementsAre("B0 0C 31", "C0 0E", "F0 00 01 0C 03 08 01 00 F7", "B0 0C 31 00"));
}

TEST_F(SendMidiTextTest, UsesTheSelectedPort) {
  GetMidiOutput().OpenDevice(1);
  form_.cbOutputDevices.itemIndex = 1;
  SendMidiText(context_, "B0 0C 31");
  ASSERT_EQ(platform_->Sent().size(), 1u);
  EXPECT_EQ(platform_->Sent()[0].port, 1u);
  EXPECT_FALSE(platform_->Sent()[0].isShort);
}

TEST_F(SendMidiTextTest, NoPortSelectedShowsTheBoxEveryTimeAndSendsNothing) {
  form_.cbOutputDevices.itemIndex = -1;
  SendMidiText(context_, "B0 0C 31");
  SendMidiText(context_, "B0 0C 32");
  EXPECT_THAT(view_.messages, ElementsAre("Veuillez sélectionner un port de sortie (MIDI OUT).",
                                          "Veuillez sélectionner un port de sortie (MIDI OUT)."));
  EXPECT_THAT(platform_->Sent(), IsEmpty());
}

TEST_F(SendMidiTextTest, AnEmptyPortNameCountsAsNoPort) {
  form_.cbOutputDevices.items[0].clear();
  SendMidiText(context_, "B0 0C 31");
  EXPECT_EQ(view_.messages.size(), 1u);
  EXPECT_THAT(platform_->Sent(), IsEmpty());
}

TEST_F(SendMidiTextTest, AClosedPortRaisesTheDeviceError) {
  form_.cbOutputDevices.itemIndex = 1;
  EXPECT_THROW(SendMidiText(context_, "B0 0C 31"), MidiError);
  EXPECT_THAT(view_.messages, IsEmpty());
}

using SendModelMessageTest = SurfaceTest;

TEST_F(SendModelMessageTest, EachKindHasItsOwnTrailingByteRule) {
  SendModelMessage(context_, "Ampli", 1);
  SendModelMessage(context_, "Ampli_2", 1);
  SendModelMessage(context_, "Enceinte", 2);
  SendModelMessage(context_, "Enceinte_2", 2);
  SendModelMessage(context_, "Guitare", 2);
  EXPECT_THAT(Wire(),
              ElementsAre("B0 0C 31 00", "B0 5B 31 00", "F0 00 01 0C 03 07 0D 00 00 00 00 00 01 F7",
                          "F0 00 01 0C 03 07 0D 00 02 00 00 00 01 F7 00",
                          "F0 00 01 0C 03 07 0D 02 00 00 00 00 09 F7 00"));
}

TEST_F(SendModelMessageTest, UnknownKindsAndRecordNumbersSendNothing) {
  SendModelMessage(context_, "ampli", 1);
  SendModelMessage(context_, "Enceinte_3", 1);
  SendModelMessage(context_, "Ampli", 0);
  SendModelMessage(context_, "Ampli", 75);
  SendModelMessage(context_, "Enceinte", 29);
  SendModelMessage(context_, "Guitare", 51);
  EXPECT_THAT(platform_->Sent(), IsEmpty());
}

}  // namespace
}  // namespace velmora

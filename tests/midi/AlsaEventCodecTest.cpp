#ifdef VELMORA_HAVE_ALSA

#include "midi/alsa/AlsaEventCodec.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

snd_seq_event_t Encoded(AlsaEventCodec& codec, const MidiMessage& message) {
  snd_seq_event_t event;
  snd_seq_ev_clear(&event);
  EXPECT_TRUE(codec.Encode(message, event));
  return event;
}

TEST(AlsaEventCodecTest, ChannelMessagesBecomeTheirEvents) {
  AlsaEventCodec codec;
  const snd_seq_event_t cc = Encoded(codec, {0xB0, 0x0C, 0x31});
  EXPECT_EQ(cc.type, SND_SEQ_EVENT_CONTROLLER);
  EXPECT_EQ(cc.data.control.channel, 0);
  EXPECT_EQ(cc.data.control.param, 0x0Cu);
  EXPECT_EQ(cc.data.control.value, 0x31);

  const snd_seq_event_t pc = Encoded(codec, {0xC0, 0x0E});
  EXPECT_EQ(pc.type, SND_SEQ_EVENT_PGMCHANGE);
  EXPECT_EQ(pc.data.control.value, 0x0E);

  const snd_seq_event_t note = Encoded(codec, {0x95, 0x3C, 0x7F});
  EXPECT_EQ(note.type, SND_SEQ_EVENT_NOTEON);
  EXPECT_EQ(note.data.note.channel, 5);
  EXPECT_EQ(note.data.note.note, 0x3C);
  EXPECT_EQ(note.data.note.velocity, 0x7F);
}

TEST(AlsaEventCodecTest, SysExIsOneEventPointingAtTheMessage) {
  AlsaEventCodec codec;
  const MidiMessage sysEx = {0xF0, 0x00, 0x01, 0x0C, 0x03, 0x07, 0x0D,
                             0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF7};
  const snd_seq_event_t event = Encoded(codec, sysEx);
  EXPECT_EQ(event.type, SND_SEQ_EVENT_SYSEX);
  EXPECT_EQ(event.data.ext.len, 14u);
  EXPECT_EQ(event.data.ext.ptr, sysEx.data());
  EXPECT_EQ(event.flags & SND_SEQ_EVENT_LENGTH_MASK, SND_SEQ_EVENT_LENGTH_VARIABLE);
  EXPECT_THAT(codec.Decode(event), ElementsAreArray(sysEx));
}

TEST(AlsaEventCodecTest, EveryMessageComesBackByteForByte) {
  AlsaEventCodec codec;
  const std::vector<MidiMessage> messages = {{0x80, 0x3C, 0x40},
                                             {0x90, 0x3C, 0x00},
                                             {0x9F, 0x7F, 0x7F},
                                             {0xA2, 0x10, 0x20},
                                             {0xB0, 0x0C, 0x31},
                                             {0xBF, 0x07, 0x64},
                                             {0xC0, 0x0E},
                                             {0xCF, 0x7F},
                                             {0xD3, 0x22},
                                             {0xE0, 0x00, 0x40},
                                             {0xE1, 0x7F, 0x7F},
                                             {0xE2, 0x00, 0x00},
                                             {0xF1, 0x12},
                                             {0xF2, 0x01, 0x02},
                                             {0xF3, 0x05},
                                             {0xF6},
                                             {0xF8},
                                             {0xFA},
                                             {0xFB},
                                             {0xFC},
                                             {0xFE},
                                             {0xFF}};
  for (const MidiMessage& message : messages) {
    SCOPED_TRACE(testing::PrintToString(message));
    EXPECT_THAT(codec.Decode(Encoded(codec, message)), ElementsAreArray(message));
  }
}

TEST(AlsaEventCodecTest, MessagesWithoutAnEventAreRefused) {
  AlsaEventCodec codec;
  snd_seq_event_t event;
  snd_seq_ev_clear(&event);
  EXPECT_FALSE(codec.Encode({}, event));
  EXPECT_FALSE(codec.Encode({0xB0, 0x0C}, event));
  EXPECT_FALSE(codec.Encode({0x0C, 0x31}, event));
}

TEST(AlsaEventCodecTest, DecodingUsesNoRunningStatus) {
  AlsaEventCodec codec;
  snd_seq_event_t event;
  snd_seq_ev_clear(&event);
  event.type = SND_SEQ_EVENT_CONTROL14;
  event.data.control.channel = 1;
  event.data.control.param = 7;
  event.data.control.value = (0x12 << 7) | 0x34;
  EXPECT_THAT(codec.Decode(event), ElementsAre(0xB1, 0x07, 0x12, 0xB1, 0x27, 0x34));
}

TEST(AlsaEventCodecTest, EventsThatAreNotMidiDecodeToNothing) {
  AlsaEventCodec codec;
  snd_seq_event_t event;
  snd_seq_ev_clear(&event);
  event.type = SND_SEQ_EVENT_PORT_SUBSCRIBED;
  EXPECT_THAT(codec.Decode(event), IsEmpty());
  event.type = SND_SEQ_EVENT_CLIENT_START;
  EXPECT_THAT(codec.Decode(event), IsEmpty());
  snd_seq_ev_set_sysex(&event, 0, nullptr);
  EXPECT_THAT(codec.Decode(event), IsEmpty());
}

}  // namespace
}  // namespace velmora

#endif

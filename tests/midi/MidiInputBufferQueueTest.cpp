#include "midi/MidiInputBufferQueue.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct Buffer {
  explicit Buffer(std::uint32_t length = 16) {
    header.data = bytes.data();
    header.bufferLength = length;
  }
  std::vector<std::uint8_t> Recorded() const {
    return {bytes.begin(), bytes.begin() + header.bytesRecorded};
  }
  std::array<std::uint8_t, 64> bytes{};
  MidiHeader header;
};

class MidiInputBufferQueueTest : public ::testing::Test {
 protected:
  void Queue(Buffer& buffer) {
    ASSERT_EQ(queue.Prepare(buffer.header), kMidiOk);
    ASSERT_EQ(queue.Add(buffer.header), kMidiOk);
  }
  void Append(std::vector<std::uint8_t> bytes) { queue.AppendSysEx(bytes, returned); }

  MidiInputBufferQueue queue;
  std::vector<MidiHeader*> returned;
};

TEST_F(MidiInputBufferQueueTest, FlagsFollowTheCycle) {
  Buffer buffer;
  EXPECT_EQ(queue.Add(buffer.header), kMidiUnprepared);
  EXPECT_EQ(queue.Prepare(buffer.header), kMidiOk);
  EXPECT_EQ(buffer.header.flags, kHeaderPrepared);
  buffer.header.bytesRecorded = 9;
  EXPECT_EQ(queue.Add(buffer.header), kMidiOk);
  EXPECT_EQ(buffer.header.flags, kHeaderPrepared | kHeaderInQueue);
  EXPECT_EQ(buffer.header.bytesRecorded, 0u);
  EXPECT_EQ(queue.Add(buffer.header), kMidiStillPlaying);
  EXPECT_EQ(queue.Unprepare(buffer.header), kMidiStillPlaying);

  Append({0xF0, 0x7E, 0xF7});
  EXPECT_THAT(returned, ElementsAre(&buffer.header));
  EXPECT_EQ(buffer.header.flags, kHeaderPrepared | kHeaderDone);
  EXPECT_EQ(queue.Unprepare(buffer.header), kMidiOk);
  EXPECT_EQ(buffer.header.flags, kHeaderDone);
  EXPECT_TRUE(queue.Empty());
}

TEST_F(MidiInputBufferQueueTest, PrepareRefusesABufferWithoutRoom) {
  Buffer noData;
  noData.header.data = nullptr;
  EXPECT_EQ(queue.Prepare(noData.header), kMidiInvalidParam);
  Buffer noLength(0);
  EXPECT_EQ(queue.Prepare(noLength.header), kMidiInvalidParam);
  EXPECT_EQ(noLength.header.flags, 0u);
}

TEST_F(MidiInputBufferQueueTest, ASysExIsReturnedWhenItEnds) {
  Buffer buffer;
  Queue(buffer);
  Append({0xF0, 0x00, 0x01});
  EXPECT_THAT(returned, IsEmpty());
  Append({0x0C, 0xF7});
  ASSERT_THAT(returned, ElementsAre(&buffer.header));
  EXPECT_THAT(buffer.Recorded(), ElementsAre(0xF0, 0x00, 0x01, 0x0C, 0xF7));
}

TEST_F(MidiInputBufferQueueTest, ALongSysExFillsBuffersInTurn) {
  Buffer first(4), second(4);
  Queue(first);
  Queue(second);
  Append({0xF0, 1, 2, 3, 4, 5, 0xF7});
  ASSERT_THAT(returned, ElementsAre(&first.header, &second.header));
  EXPECT_THAT(first.Recorded(), ElementsAre(0xF0, 1, 2, 3));
  EXPECT_THAT(second.Recorded(), ElementsAre(4, 5, 0xF7));
}

TEST_F(MidiInputBufferQueueTest, BytesWithoutABufferAreLost) {
  Buffer buffer(4);
  Queue(buffer);
  Append({0xF0, 1, 2, 3, 4, 0xF7});
  ASSERT_THAT(returned, ElementsAre(&buffer.header));
  EXPECT_THAT(buffer.Recorded(), ElementsAre(0xF0, 1, 2, 3));
  EXPECT_EQ(queue.LostBytes(), 2u);
}

TEST_F(MidiInputBufferQueueTest, ANewSysExStartsInAFreshBuffer) {
  Buffer first, second;
  Queue(first);
  Queue(second);
  Append({0xF0, 1, 2});
  Append({0xF0, 3, 0xF7});
  ASSERT_THAT(returned, ElementsAre(&first.header, &second.header));
  EXPECT_THAT(first.Recorded(), ElementsAre(0xF0, 1, 2));
  EXPECT_THAT(second.Recorded(), ElementsAre(0xF0, 3, 0xF7));
}

TEST_F(MidiInputBufferQueueTest, StopReturnsOnlyAPartlyFilledBuffer) {
  Buffer first, second;
  Queue(first);
  Queue(second);
  queue.ReturnPartial(returned);
  EXPECT_THAT(returned, IsEmpty());
  Append({0xF0, 1});
  queue.ReturnPartial(returned);
  ASSERT_THAT(returned, ElementsAre(&first.header));
  EXPECT_THAT(first.Recorded(), ElementsAre(0xF0, 1));
  EXPECT_FALSE(queue.Empty());
}

TEST_F(MidiInputBufferQueueTest, ResetReturnsEveryBufferEmptyOnesWithNoBytes) {
  Buffer first, second;
  Queue(first);
  Queue(second);
  queue.ReturnAll(returned);
  ASSERT_THAT(returned, ElementsAre(&first.header, &second.header));
  EXPECT_EQ(first.header.bytesRecorded, 0u);
  EXPECT_EQ(first.header.flags, kHeaderPrepared | kHeaderDone);
  EXPECT_TRUE(queue.Empty());
  EXPECT_EQ(queue.Unprepare(first.header), kMidiOk);
  EXPECT_EQ(queue.Unprepare(second.header), kMidiOk);
}

}  // namespace
}  // namespace velmora

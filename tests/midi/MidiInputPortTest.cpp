#include "midi/MidiInputPort.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace velmora {

void PrintTo(const MidiNotification& n, std::ostream* os) {
  *os << std::hex << "{message " << n.message << ", param1 " << n.param1 << ", param2 " << std::dec
      << n.param2 << "}";
}

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace std::chrono_literals;

void Procedure(MidiHandle, std::uint32_t, std::uintptr_t, std::uintptr_t, std::uintptr_t) {}

constexpr MidiHandle kHandle = 7;
constexpr std::uintptr_t kInstance = 3;

MidiNotification Expected(std::uint32_t message, std::uintptr_t param1, std::uintptr_t param2) {
  return {&Procedure, kHandle, message, kInstance, param1, param2};
}

std::uintptr_t Address(MidiHeader& header) {
  return reinterpret_cast<std::uintptr_t>(&header);
}

class MidiInputPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    buffer.data = bytes.data();
    buffer.bufferLength = static_cast<std::uint32_t>(bytes.size());
    ASSERT_EQ(port.Prepare(buffer), kMidiOk);
    ASSERT_EQ(port.Add(buffer), kMidiOk);
  }
  void Receive(std::vector<std::uint8_t> data, bool sysEx, std::chrono::milliseconds at) {
    port.Receive(data, sysEx, start + at, out);
  }

  MidiInputPort port{kHandle, &Procedure, kInstance};
  std::array<std::uint8_t, 8> bytes{};
  MidiHeader buffer;
  MidiInputPort::Clock::time_point start = MidiInputPort::Clock::now();
  MidiInputPort::Notifications out;
};

TEST_F(MidiInputPortTest, OpenAndCloseAreAnnounced) {
  port.Opened(out);
  port.Closed(out);
  EXPECT_THAT(out, ElementsAre(Expected(kMimOpen, 0, 0), Expected(kMimClose, 0, 0)));
}

TEST_F(MidiInputPortTest, NothingIsReceivedBeforeStartOrAfterStop) {
  Receive({0x90, 0x3C, 0x7F}, false, 1ms);
  Receive({0xF0, 0x01, 0xF7}, true, 1ms);
  port.Start(start);
  port.Stop(start + 5ms, out);
  Receive({0x90, 0x3C, 0x7F}, false, 6ms);
  EXPECT_THAT(out, IsEmpty());
  EXPECT_EQ(buffer.bytesRecorded, 0u);
}

TEST_F(MidiInputPortTest, ShortMessagesArePackedWithTheirTimeSinceStart) {
  port.Start(start);
  Receive({0x90, 0x3C, 0x7F}, false, 12ms);
  Receive({0xC0, 0x0E}, false, 13ms);
  Receive({0xF8}, false, 14ms);
  EXPECT_THAT(out, ElementsAre(Expected(kMimData, 0x7F3C90, 12), Expected(kMimData, 0x0EC0, 13),
                               Expected(kMimData, 0xF8, 14)));
}

TEST_F(MidiInputPortTest, AnEventHoldingSeveralMessagesGivesOneNotificationEach) {
  port.Start(start);
  Receive({0xB1, 0x07, 0x12, 0xB1, 0x27, 0x34}, false, 0ms);
  EXPECT_THAT(out, ElementsAre(Expected(kMimData, 0x1207B1, 0), Expected(kMimData, 0x3427B1, 0)));
}

TEST_F(MidiInputPortTest, ASysExFillsTheBufferAndComesBackAsLongData) {
  port.Start(start);
  Receive({0xF0, 0x7E, 0x7F}, true, 20ms);
  EXPECT_THAT(out, IsEmpty());
  Receive({0x06, 0x01, 0xF7}, true, 21ms);
  EXPECT_THAT(out, ElementsAre(Expected(kMimLongData, Address(buffer), 21)));
  EXPECT_EQ(buffer.bytesRecorded, 6u);
  EXPECT_THAT(bytes, ElementsAre(0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7, 0, 0));
  EXPECT_EQ(buffer.flags, kHeaderPrepared | kHeaderDone);
}

TEST_F(MidiInputPortTest, CloseIsRefusedWhileABufferIsQueued) {
  EXPECT_EQ(port.CanClose(), kMidiStillPlaying);
  port.Reset(start, out);
  EXPECT_EQ(port.CanClose(), kMidiOk);
}

TEST_F(MidiInputPortTest, StopReturnsAPartSysExAndResetReturnsTheEmptyBuffer) {
  port.Start(start);
  Receive({0xF0, 0x01}, true, 1ms);
  port.Stop(start + 2ms, out);
  ASSERT_THAT(out, ElementsAre(Expected(kMimLongData, Address(buffer), 2)));
  EXPECT_EQ(buffer.bytesRecorded, 2u);

  out.clear();
  ASSERT_EQ(port.Add(buffer), kMidiOk);
  port.Stop(start + 3ms, out);
  EXPECT_THAT(out, IsEmpty());
  port.Reset(start + 4ms, out);
  EXPECT_THAT(out, ElementsAre(Expected(kMimLongData, Address(buffer), 4)));
  EXPECT_EQ(buffer.bytesRecorded, 0u);
  EXPECT_EQ(port.Unprepare(buffer), kMidiOk);
}

TEST_F(MidiInputPortTest, WithoutAProcedureBuffersStillCycle) {
  MidiInputPort silent(kHandle, nullptr, 0);
  MidiHeader header{bytes.data(), 8, 0, 0};
  ASSERT_EQ(silent.Prepare(header), kMidiOk);
  ASSERT_EQ(silent.Add(header), kMidiOk);
  silent.Opened(out);
  silent.Start(start);
  silent.Receive(std::vector<std::uint8_t>{0xF0, 0xF7}, true, start, out);
  EXPECT_THAT(out, IsEmpty());
  EXPECT_EQ(header.flags, kHeaderPrepared | kHeaderDone);
}

TEST(MidiNotificationTest, DeliveryCallsEachProcedureInOrder) {
  static std::vector<std::uint32_t> seen;
  seen.clear();
  const MidiInProc record = [](MidiHandle, std::uint32_t message, std::uintptr_t, std::uintptr_t,
                               std::uintptr_t) { seen.push_back(message); };
  DeliverMidiNotifications({{record, 1, kMimOpen, 0, 0, 0}, {record, 1, kMimData, 0, 0x90, 0}});
  EXPECT_THAT(seen, ElementsAre(kMimOpen, kMimData));
}

}  // namespace
}  // namespace velmora

// The monitor panel on virtual ports: what goes out on the wire, in which order, and what
// the log reads from the top once the user-interface thread has drained the events.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "RecordingView.h"
#include "midi/virtual/VirtualMidiPlatform.h"
#include "surface/shell/Monitor.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::array<std::uint8_t, 9> kNineByteSysEx = {0xF0, 0x00, 0x01, 0x0C, 0x03,
                                                        0x08, 0x01, 0x00, 0xF7};

class MonitorTest : public ::testing::Test {
 protected:
  MonitorTest() : context_{form_, view_, ProgramFolders{}} {
    auto platform = std::make_unique<VirtualMidiPlatform>(3, 2);
    platform_ = platform.get();
    InstallMidiPlatform(std::move(platform));
    hub_.SetWake([this] { ++wakes_; });
    MonitorFormCreate(form_, hub_);
  }
  ~MonitorTest() override {
    MonitorFormDestroy(hub_);
    ReleaseMidiDevices();
  }

  void CheckOutput(int index, bool checked) {
    form_.lbxOutputDevices.checked[static_cast<std::size_t>(index)] = checked;
    form_.lbxOutputDevices.itemIndex = index;
    lbxOutputDevicesClickCheck(context_, hub_);
  }
  void CheckInput(int index, bool checked) {
    form_.lbxInputDevices.checked[static_cast<std::size_t>(index)] = checked;
    form_.lbxInputDevices.itemIndex = index;
    lbxInputDevicesClickCheck(context_);
  }

  // The log from the top, each time stamp checked and replaced by "[time]".
  std::vector<std::string> Log() const {
    static const std::regex stamp(R"(^\[\d\d:\d\d:\d\d\.\d\d\d\])");
    std::vector<std::string> lines;
    for (const std::string& line : form_.memLog.Lines()) {
      lines.push_back(line.starts_with("[") ? std::regex_replace(line, stamp, "[time]") : line);
      EXPECT_TRUE(!line.starts_with("[") || lines.back() != line) << line;
    }
    return lines;
  }

  // "<port> short|long <HEX>" for every buffer sent, in order.
  std::vector<std::string> Wire() const {
    std::vector<std::string> wire;
    for (const SentBuffer& sent : platform_->Sent()) {
      std::string text = std::to_string(sent.port) + (sent.isShort ? " short" : " long");
      for (std::uint8_t byte : sent.bytes) {
        char pair[4];
        std::snprintf(pair, sizeof pair, " %.2X", byte);
        text += pair;
      }
      wire.push_back(text);
    }
    return wire;
  }

  VirtualMidiPlatform* platform_ = nullptr;
  FormModel form_;
  RecordingView view_;
  EditingContext context_;
  MonitorHub hub_;
  std::atomic<int> wakes_ = 0;
};

TEST_F(MonitorTest, ThruGoesLastPortFirstAndTheLogReadsReceivedThenPortsAscending) {
  EXPECT_THAT(form_.lbxInputDevices.items, ElementsAre("Virtual In 1", "Virtual In 2"));
  EXPECT_THAT(form_.lbxOutputDevices.items,
              ElementsAre("Virtual Out 1", "Virtual Out 2", "Virtual Out 3"));
  EXPECT_EQ(form_.cbOutputDevices.items, form_.lbxOutputDevices.items);

  CheckOutput(0, true);
  CheckOutput(2, true);
  EXPECT_THAT(view_.messages, ElementsAre("0", "2"));
  CheckInput(0, true);

  platform_->InjectShort(0, 0xB0, 0x07, 0x64);
  platform_->InjectShort(0, 0xFE, 0x00, 0x00);
  platform_->InjectLong(0, kNineByteSysEx);
  platform_->InjectShort(0, 0xF8, 0x00, 0x00);
  // Nothing reaches the form from the notification side until the drain.
  EXPECT_THAT(form_.memLog.Lines(), IsEmpty());
  EXPECT_EQ(wakes_, 3);
  DrainMonitor(context_, hub_);

  EXPECT_THAT(Log(),
              ElementsAre("[time] Virtual In 1: <Status> F8, <Data 1> 00 <Data 2> 00",
                          " -->Virtual Out 1", " -->Virtual Out 3",
                          "[time] Virtual In 1: <Bytes> 9 <SysEx> F0 00 01 0C 03 08 01 00 F7 ",
                          "[time] Virtual In 1: <Status> B0, <Data 1> 07 <Data 2> 64",
                          " -->Virtual Out 1", " -->Virtual Out 3"));
  EXPECT_THAT(Wire(), ElementsAre("2 short B0 07 64", "0 short B0 07 64", "2 short F8 00 00",
                                  "0 short F8 00 00"));
  EXPECT_THAT(view_.errors, IsEmpty());

  // Unchecking closes the port and ends its thru; an unchecked input hears nothing.
  platform_->ClearSent();
  CheckOutput(2, false);
  EXPECT_EQ(GetMidiOutput().HandleOf(2), kNoHandle);
  platform_->InjectShort(0, 0x90, 0x3C, 0x7F);
  CheckInput(0, false);
  EXPECT_EQ(GetMidiInput().HandleOf(0), kNoHandle);
  platform_->InjectShort(0, 0x80, 0x3C, 0x00);
  EXPECT_THAT(Wire(), ElementsAre("0 short 90 3C 7F"));
  EXPECT_THAT(view_.messages, ElementsAre("0", "2"));
}

TEST_F(MonitorTest, AFailedOpenStaysCheckedAndAThruErrorIsShownWithItsEventStillLogged) {
  CheckOutput(2, true);
  platform_->FailNext("OutputOpen", kMidiAllocated);
  EXPECT_THROW(CheckOutput(0, true), MidiError);
  EXPECT_TRUE(form_.lbxOutputDevices.Checked(0));
  CheckInput(0, true);

  // Port 2 takes the message, opening port 0 on demand fails: shown, the line still logged.
  platform_->FailNext("OutputOpen", kMidiAllocated);
  platform_->InjectShort(0, 0xB0, 0x07, 0x64);
  // The next message opens port 0 on demand.
  platform_->InjectShort(0, 0x90, 0x3C, 0x7F);
  EXPECT_THAT(view_.errors, IsEmpty());
  DrainMonitor(context_, hub_);

  EXPECT_THAT(view_.errors, ElementsAre("The MIDI port is already in use."));
  EXPECT_THAT(Log(), ElementsAre("[time] Virtual In 1: <Status> 90, <Data 1> 3C <Data 2> 7F",
                                 " -->Virtual Out 1", " -->Virtual Out 3",
                                 "[time] Virtual In 1: <Status> B0, <Data 1> 07 <Data 2> 64",
                                 " -->Virtual Out 3"));
  EXPECT_THAT(Wire(), ElementsAre("2 short B0 07 64", "2 short 90 3C 7F", "0 short 90 3C 7F"));
  EXPECT_THAT(view_.messages, ElementsAre("2"));
}

// A thru port that stays full misses those messages; they are still logged and go to the
// other ports, and a flood brings one error a second, not one a message.
TEST_F(MonitorTest, AThruPortThatStaysFullIsReportedOnceAndTheMessagesStillLogged) {
  CheckOutput(0, true);
  CheckOutput(2, true);
  CheckInput(0, true);
  for (std::uint8_t value : {0x01, 0x02}) {
    platform_->FailNext("OutputShort", kMidiNotReady);
    platform_->InjectShort(0, 0xB0, 0x07, value);
  }
  DrainMonitor(context_, hub_);
  EXPECT_THAT(view_.errors, ElementsAre("The MIDI port is busy and cannot take the message now."));
  EXPECT_THAT(Log(), ElementsAre("[time] Virtual In 1: <Status> B0, <Data 1> 07 <Data 2> 02",
                                 " -->Virtual Out 1",
                                 "[time] Virtual In 1: <Status> B0, <Data 1> 07 <Data 2> 01",
                                 " -->Virtual Out 1"));
}

TEST_F(MonitorTest, SendGoesToCheckedPortsLastFirstWithOneLogLineEach) {
  form_.edtSysExData = "F0 00 01 0C 03 08 01 00 F7";
  btnSendSysExClick(context_);
  EXPECT_THAT(Wire(), IsEmpty());

  CheckOutput(0, true);
  CheckOutput(1, true);
  btnSendSysExClick(context_);
  EXPECT_THAT(Wire(), ElementsAre("1 long F0 00 01 0C 03 08 01 00 F7",
                                  "0 long F0 00 01 0C 03 08 01 00 F7"));
  EXPECT_THAT(Log(), ElementsAre(" --> Virtual Out 1 F0 00 01 0C 03 08 01 00 F7",
                                 " --> Virtual Out 2 F0 00 01 0C 03 08 01 00 F7"));
}

TEST_F(MonitorTest, TheLogKeepsTheNewestTenThousandLines) {
  CheckOutput(1, true);
  CheckInput(1, true);
  for (int i = 0; i < 5001; ++i) {
    platform_->InjectShort(1, 0x90, static_cast<std::uint8_t>(i & 0x7F), 0x40);
  }
  DrainMonitor(context_, hub_);
  const std::vector<std::string> log = Log();
  ASSERT_EQ(log.size(), 10000u);
  // 5001 events of two lines each: the first message's two lines went out at the bottom.
  EXPECT_EQ(log.front(), "[time] Virtual In 2: <Status> 90, <Data 1> 08 <Data 2> 40");
  EXPECT_EQ(log[1], " -->Virtual Out 2");
  EXPECT_EQ(log[9998], "[time] Virtual In 2: <Status> 90, <Data 1> 01 <Data 2> 40");
  EXPECT_EQ(log.back(), " -->Virtual Out 2");
}

TEST_F(MonitorTest, OnceDestroyedNoNotificationReachesTheHub) {
  CheckInput(0, true);
  MonitorFormDestroy(hub_);
  platform_->InjectShort(0, 0xB0, 0x07, 0x64);
  platform_->InjectLong(0, kNineByteSysEx);
  EXPECT_THAT(hub_.TakeEvents(), IsEmpty());
  EXPECT_EQ(wakes_, 0);
}

// Run under ThreadSanitizer too: input floods in from another thread while the
// user-interface thread checks and unchecks ports and drains the log.
TEST_F(MonitorTest, AFloodOfInputWhilePortsAreToggledKeepsEachEventWhole) {
  constexpr int kMessages = 2000;
  CheckInput(0, true);
  std::atomic<bool> done = false;
  std::thread device([&] {
    for (int i = 0; i < kMessages; ++i) {
      platform_->InjectShort(0, 0xB0, 0x07, static_cast<std::uint8_t>(i & 0x7F));
      if (i % 4 == 0) {
        platform_->InjectLong(0, kNineByteSysEx);
      }
    }
    done = true;
  });
  CheckOutput(2, true);
  for (int round = 0; !done; ++round) {
    CheckOutput(round % 3, true);
    CheckOutput((round + 2) % 3, false);
    CheckInput(1, round % 2 == 0);
    DrainMonitor(context_, hub_);
  }
  device.join();
  DrainMonitor(context_, hub_);

  EXPECT_THAT(view_.errors, IsEmpty());
  // From the bottom up an event is its thru lines, last port first, then its received line:
  // a port number that does not fall inside a run means two events interleaved.
  int received = 0;
  int sysEx = 0;
  std::size_t thru = 0;
  char previousPort = '9';
  const std::vector<std::string> log = Log();
  for (auto line = log.rbegin(); line != log.rend(); ++line) {
    if (line->starts_with(" -->Virtual Out ")) {
      EXPECT_LT(line->back(), previousPort) << "events interleaved";
      previousPort = line->back();
      ++thru;
      continue;
    }
    if (line->find("<SysEx>") != std::string::npos) {
      EXPECT_EQ(previousPort, '9') << "thru lines before a SysEx line";
      EXPECT_EQ(*line, "[time] Virtual In 1: <Bytes> 9 <SysEx> F0 00 01 0C 03 08 01 00 F7 ");
      ++sysEx;
    } else {
      ASSERT_TRUE(line->starts_with("[time] Virtual In 1: <Status> B0, <Data 1> 07 <Data 2> "))
          << *line;
      ++received;
    }
    previousPort = '9';
  }
  EXPECT_EQ(thru, platform_->Sent().size());
  EXPECT_EQ(received, kMessages);
  EXPECT_EQ(sysEx, kMessages / 4);
}

}  // namespace
}  // namespace velmora

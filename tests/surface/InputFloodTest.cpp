// A flood of input on the virtual ports while the user checks and unchecks ports: every
// message reaches the log once, in the order it came, every thru send the log reports is on
// the wire in that order, a port checked throughout forwards everything, and the log never
// passes its cap. Run under ThreadSanitizer too.

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "RecordingView.h"
#include "midi/virtual/VirtualMidiPlatform.h"
#include "surface/shell/Monitor.h"

namespace velmora {
namespace {

constexpr int kShortMessages = 100000;
constexpr int kSysExEvery = 100;  // 1 000 SysEx messages among them
// The device waits while this many events are not yet read from the log, so one drain can
// never push unread lines past the cap.
constexpr int kMaxUnread = 1000;
constexpr int kSteadyPort = 0;
constexpr int kToggledPort = 1;

// Message n, told apart from every other by its channel and data bytes.
std::array<std::uint8_t, 3> ShortMessage(int n) {
  return {static_cast<std::uint8_t>(0xB0 | (n >> 14)), static_cast<std::uint8_t>((n >> 7) & 0x7F),
          static_cast<std::uint8_t>(n & 0x7F)};
}

std::array<std::uint8_t, 5> SysExMessage(int n) {
  return {0xF0, 0x7D, static_cast<std::uint8_t>(n >> 7), static_cast<std::uint8_t>(n & 0x7F), 0xF7};
}

std::string ShortLine(int n) {
  const auto m = ShortMessage(n);
  char text[80];
  std::snprintf(text, sizeof text, "Virtual In 1: <Status> %.2X, <Data 1> %.2X <Data 2> %.2X", m[0],
                m[1], m[2]);
  return text;
}

std::string SysExLine(int n) {
  const auto m = SysExMessage(n);
  char text[80];
  std::snprintf(text, sizeof text, "Virtual In 1: <Bytes> 5 <SysEx> %.2X %.2X %.2X %.2X %.2X ",
                m[0], m[1], m[2], m[3], m[4]);
  return text;
}

std::string HexPair(std::uint8_t byte) {
  char text[3];
  std::snprintf(text, sizeof text, "%.2X", byte);
  return text;
}

// One received message as the log tells it: the thru ports, last port first, and its line
// without the time stamp.
struct LoggedEvent {
  std::vector<int> thruPorts;
  std::string line;
};

class InputFloodTest : public ::testing::Test {
 protected:
  InputFloodTest() : context_{form_, view_, ProgramFolders{}} {
    auto platform = std::make_unique<VirtualMidiPlatform>(3, 2);
    platform_ = platform.get();
    InstallMidiPlatform(std::move(platform));
    MonitorFormCreate(form_, hub_);
  }
  ~InputFloodTest() override {
    MonitorFormDestroy(hub_);
    ReleaseMidiDevices();
  }

  void CheckOutput(int index, bool checked) {
    form_.lbxOutputDevices.checked[static_cast<std::size_t>(index)] = checked;
    form_.lbxOutputDevices.itemIndex = index;
    ApplyThruCheck(form_, hub_);
  }
  void CheckInput(int index, bool checked) {
    form_.lbxInputDevices.checked[static_cast<std::size_t>(index)] = checked;
    form_.lbxInputDevices.itemIndex = index;
    lbxInputDevicesClickCheck(context_);
  }

  // Drains the hub and appends the events that reached the top of the log since the last
  // call, oldest first.
  void DrainInto(std::vector<LoggedEvent>& events) {
    DrainMonitor(context_, hub_);
    const auto& lines = form_.memLog.Lines();
    ASSERT_LE(lines.size(), LogMemo::kMaxLines);
    std::size_t fresh = 0;
    while (fresh < lines.size() && lines[fresh] != newestLine_) {
      ++fresh;
    }
    ASSERT_TRUE(newestLine_.empty() || fresh < lines.size()) << "lines went past the cap unread";
    LoggedEvent event;
    for (std::size_t i = fresh; i-- > 0;) {
      const std::string& line = lines[i];
      if (line.starts_with(" -->Virtual Out ")) {
        event.thruPorts.push_back(line.back() - '1');
        continue;
      }
      ASSERT_TRUE(line.size() > 15 && line[0] == '[' && line[13] == ']') << line;
      event.line = line.substr(15);
      events.push_back(std::move(event));
      event = {};
    }
    ASSERT_TRUE(event.thruPorts.empty()) << "thru lines without their received line";
    if (fresh > 0) {
      newestLine_ = lines.front();
    }
    read_ = static_cast<int>(events.size());
  }

  VirtualMidiPlatform* platform_ = nullptr;
  FormModel form_;
  RecordingView view_;
  EditingContext context_;
  MonitorHub hub_;
  std::string newestLine_;
  std::atomic<int> read_ = 0;
};

TEST_F(InputFloodTest, EveryMessageIsLoggedAndForwardedInOrderWhilePortsAreToggled) {
  CheckInput(0, true);
  CheckOutput(kSteadyPort, true);
  std::atomic<bool> done = false;
  std::thread device([&] {
    int injected = 0;
    for (int n = 0; n < kShortMessages; ++n) {
      while (injected - read_ > kMaxUnread) {
        std::this_thread::yield();
      }
      const auto m = ShortMessage(n);
      platform_->InjectShort(0, m[0], m[1], m[2]);
      ++injected;
      if (n % kSysExEvery == kSysExEvery - 1) {
        platform_->InjectLong(0, SysExMessage(n / kSysExEvery));
        ++injected;
      }
    }
    done = true;
  });

  std::vector<LoggedEvent> events;
  int toggledOn = 0;
  for (int round = 0; !done; ++round) {
    const bool on = round % 2 == 0;
    CheckOutput(kToggledPort, on);
    toggledOn += on ? 1 : 0;
    CheckInput(1, !on);
    DrainInto(events);
    if (HasFatalFailure()) {
      read_ = kShortMessages * 2;  // let the device finish
      break;
    }
  }
  device.join();
  ASSERT_FALSE(HasFatalFailure());
  DrainInto(events);
  EXPECT_TRUE(view_.errors.empty()) << view_.errors.front();

  // The log: every message once, in the order it came.
  ASSERT_EQ(events.size(), static_cast<std::size_t>(kShortMessages + kShortMessages / kSysExEvery));
  std::size_t at = 0;
  for (int n = 0; n < kShortMessages; ++n) {
    ASSERT_EQ(events[at].line, ShortLine(n)) << "event " << at;
    ASSERT_TRUE(!events[at].thruPorts.empty() && events[at].thruPorts.back() == kSteadyPort)
        << "message " << n << " missed the port checked throughout";
    ++at;
    if (n % kSysExEvery == kSysExEvery - 1) {
      ASSERT_EQ(events[at].line, SysExLine(n / kSysExEvery)) << "event " << at;
      ASSERT_TRUE(events[at].thruPorts.empty()) << "a SysEx message was forwarded";
      ++at;
    }
  }

  // The wire: exactly the thru sends the log reports, in its order.
  const std::vector<SentBuffer> sent = platform_->Sent();
  std::size_t wire = 0;
  int toggledRuns = 0;
  bool previousOnToggled = false;
  for (const LoggedEvent& event : events) {
    if (event.thruPorts.empty()) {
      continue;
    }
    const bool onToggled = event.thruPorts.front() == kToggledPort;
    toggledRuns += onToggled && !previousOnToggled ? 1 : 0;
    previousOnToggled = onToggled;
    for (int port : event.thruPorts) {
      ASSERT_LT(wire, sent.size());
      const SentBuffer& buffer = sent[wire++];
      ASSERT_EQ(buffer.port, static_cast<unsigned>(port)) << "send " << wire - 1;
      ASSERT_TRUE(buffer.isShort);
      ASSERT_EQ(buffer.bytes.size(), 3u);
      const std::string line = "Virtual In 1: <Status> " + HexPair(buffer.bytes[0]) +
                               ", <Data 1> " + HexPair(buffer.bytes[1]) + " <Data 2> " +
                               HexPair(buffer.bytes[2]);
      ASSERT_EQ(line, event.line) << "send " << wire - 1;
    }
  }
  EXPECT_EQ(wire, sent.size());
  // The toggled port forwards without a gap while it stays checked: one run per check.
  EXPECT_LE(toggledRuns, toggledOn);
  EXPECT_GT(toggledRuns, 1) << "the toggled port never forwarded between two checks";
}

}  // namespace
}  // namespace velmora

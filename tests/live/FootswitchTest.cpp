// A footswitch learned, kept in config.ini and stepping the setlist, fed by the virtual
// ports' replay input as a pedal would play it.

#include <gmock/gmock.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <thread>

#include "SurfaceFixture.h"
#include "live/Footswitch.h"
#include "live/LiveSteps.h"
#include "live/SetlistFile.h"
#include "midi/Midi.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;

// Port 0 plays a release, a press, a Program Change, a release, a press; port 1 the press.
constexpr const char* kPedal =
    "0 0 B0 50 00\n5 0 B0 50 7F\n10 0 C0 05\n15 0 B0 50 00\n20 0 B0 50 7F\n25 1 B0 50 7F\n";
constexpr int kMessagesPerPlay = 6;

class FootswitchTest : public SurfaceTest {
 protected:
  FootswitchTest() {
    std::ofstream(root_ / "pedal.txt") << kPedal;
    auto platform = std::make_unique<VirtualMidiPlatform>(2, 2, "", (root_ / "pedal.txt").string());
    platform_ = platform.get();
    InstallMidiPlatform(std::move(platform));
    GetMidiOutput().OpenDevice(0);
  }

  // Opens both inputs, waits until the whole replay has come through footswitch, and
  // closes them again.
  void Play(Footswitch& footswitch, LiveSteps& steps) {
    std::atomic<int> received = 0;
    TMidiInput& input = GetMidiInput();
    const std::vector<std::string> names = input.DeviceNames();
    input.SetOnShortReceived(
        [&](int device, std::uint8_t status, std::uint8_t d1, std::uint8_t d2) {
          if (const auto action = footswitch.Receive(names[device], status, d1, d2)) {
            steps.Ask({*action, 0});
          }
          ++received;
        });
    input.OpenDevice(0);
    input.OpenDevice(1);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (received < kMessagesPerPlay && std::chrono::steady_clock::now() < until) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    input.CloseDevice(0);
    input.CloseDevice(1);
    input.SetOnShortReceived({});
    EXPECT_EQ(received, kMessagesPerPlay);
  }
};

TEST_F(FootswitchTest, LearnsTheFirstPressKeepsItAndStepsOnItFromThatPortOnly) {
  LiveSteps steps(ReadSetlistText("USER 1A\nUSER 2B\nFACTORY 3C\n", root_, "gig.vsl"));
  Footswitch learning;
  learning.Learn(StepAction::kNext);
  Play(learning, steps);
  // The press after the one learned steps; the same press on port 1 does not.
  EXPECT_FALSE(learning.Learning());
  steps.RunPending(context_);
  EXPECT_EQ(steps.State().position, 2u);
  EXPECT_THAT(Wire(), ElementsAre("C0 0E", "C0 05"));
  ClearWire();

  const std::filesystem::path config = root_ / "config.ini";
  std::ofstream(config, std::ios::binary) << "[MIDI]\r\nOut=0\r\n";
  WriteFootswitchBindings(config, learning.Bindings());
  std::ifstream in(config, std::ios::binary);
  const std::string written((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(written,
            "[MIDI]\r\nOut=0\r\n[LIVE]\r\nNextPort=Virtual In 1\r\nNext=B0 50 7F\r\n"
            "PreviousPort=\r\nPrevious=\r\n");

  // Two presses on port 0 while nothing ran the steps: the second finds the end.
  Footswitch stored(ReadFootswitchBindings(config));
  EXPECT_EQ(stored.Bindings(), learning.Bindings());
  Play(stored, steps);
  steps.RunPending(context_);
  EXPECT_EQ(steps.State().position, 3u);
  EXPECT_THAT(Wire(), ElementsAre("C0 4E", "C0 4A"));
  EXPECT_THAT(steps.TakeNotices(),
              ElementsAre("2/3 USER 2B", "Already on the last item (3/3)", "3/3 FACTORY 3C"));
}

TEST(FootswitchMessageTest, MessageTextIsReadStrictly) {
  EXPECT_EQ(FootswitchMessageText(ReadFootswitchMessage("c0 05")), "C0 05");
  EXPECT_EQ(FootswitchMessageText(ReadFootswitchMessage(" B0  50 7F")), "B0 50 7F");
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"C005",
       "\"C005\" is not message text: two hexadecimal digits a byte, such as \"C0 05\" "
       "or \"B0 50 7F\""},
      {"C0 5",
       "\"C0 5\" is not message text: two hexadecimal digits a byte, such as \"C0 05\" "
       "or \"B0 50 7F\""},
      {"50 7F", "\"50 7F\" does not begin with a channel message's status byte, from 80 to EF"},
      {"F8", "\"F8\" does not begin with a channel message's status byte, from 80 to EF"},
      {"C0 05 00", "\"C0 05 00\": a message of status C0 has 2 bytes"},
      {"B0 50 80", "\"B0 50 80\": a data byte goes from 00 to 7F"},
      {"B3 50 00",
       "\"B3 50 00\" is a Control Change with value 0, a switch's release, which "
       "never steps"},
  };
  for (const auto& bad : cases) {
    try {
      ReadFootswitchMessage(bad.text);
      ADD_FAILURE() << bad.text;
    } catch (const std::invalid_argument& error) {
      EXPECT_STREQ(error.what(), bad.error);
    }
  }
}

}  // namespace
}  // namespace velmora

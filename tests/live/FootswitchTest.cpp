// A footswitch learned, kept in config.ini and stepping, played by the replay input.

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

  // The whole replay through footswitch, on both inputs.
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
    for (int wait = 0; received < kMessagesPerPlay && wait < 2000; ++wait) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    input.CloseAllPorts();
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
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
            "[MIDI]\r\nOut=0\r\n[LIVE]\r\nNextPort=Virtual In 1\r\nNext=B0 50 7F\r\n"
            "PreviousPort=\r\nPrevious=\r\n");

  // Two presses on port 0 while nothing ran the steps: the second finds the end.
  Footswitch stored(ReadFootswitchBindings(config));
  EXPECT_EQ(stored.Bindings(), learning.Bindings());
  Play(stored, steps);
  steps.RunPending(context_);
  EXPECT_EQ(steps.State().position, 3u);
  EXPECT_THAT(Wire(), ElementsAre("C0 4E", "C0 4A"));
  EXPECT_THAT(NoticeTexts(steps.TakeNotices(), true),
              ElementsAre("2/3 USER 2B", "Already on the last item (3/3)", "3/3 FACTORY 3C"));
}

}  // namespace
}  // namespace velmora

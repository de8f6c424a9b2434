// Random preset files loaded by the real engine: the rig the sends drive ends in the file's
// state. In process through the send tap, and end to end through velmora-cli load's capture
// and velmora-cli rig.

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "catalogue/Variax.h"
#include "catalogue/Vetta2_Enceintes.h"
#include "cli/CliRunner.h"
#include "cli/HeadlessView.h"
#include "cli/RigJson.h"
#include "midi/Midi.h"
#include "midi/virtual/VirtualMidiPlatform.h"
#include "rig/Rig.h"
#include "surface/files/PresetFile.h"

namespace velmora {
namespace {

// The window as the command line plays it, without its real pauses.
class QuickView : public HeadlessView {
 public:
  using HeadlessView::HeadlessView;
  void StepDelay() override {}
};

struct RandomPreset {
  std::string text;
  RigState expected;
};

RandomPreset MakePreset(std::mt19937& random) {
  const auto pick = [&random](int count) {
    return std::uniform_int_distribution<int>(1, count)(random);
  };
  RandomPreset preset;
  for (Channel channel : {Channel::Amp1, Channel::Amp2}) {
    const std::string number = channel == Channel::Amp1 ? "1" : "2";
    RigChannelState& state = preset.expected.Of(channel);
    state.power = pick(2) == 1;
    state.amp = pick(kAmpRecordCount);
    state.cab = pick(kCabRecordCount);
    preset.text += "[AMP" + number + "]\r\nPower=" + (*state.power ? "ON" : "OFF") +
                   "\r\nAmp=" + std::string(AmpRecord(channel, *state.amp).DisplayName) +
                   "\r\nCab=" + std::string(CabRecord(channel, *state.cab).DisplayName) + "\r\n";
    for (int knob = 0; knob < kKnobsPerChannel; ++knob) {
      const int value = pick(509) - 1;
      state.knobs[knob] = value / 4;
      preset.text +=
          std::string(kAmpKnobNames[knob]) + number + "=" + std::to_string(value) + "\r\n";
    }
  }
  preset.expected.guitar = pick(kGuitarRecordCount);
  preset.text += "[Variax]\r\nGuitar=" + GuitarKey(*preset.expected.guitar) + "\r\n";
  return preset;
}

class RigRoundTripTest : public CliRunnerTest {};

TEST_F(RigRoundTripTest, RandomPresetsLoadedByTheEngineLeaveTheRigInTheFilesState) {
  InstallMidiPlatform(std::make_unique<VirtualMidiPlatform>(1, 0));
  Rig rig;
  GetMidiOutput().SetSendTap([&rig](int, std::span<const std::uint8_t> bytes) { rig.Feed(bytes); });
  std::ostringstream messages;
  FormModel form = MakeStartupForm();
  QuickView view(messages);
  EditingContext context{form, view, ProgramFolders{folder_, folder_}};
  form.cbOutputDevices.items = GetMidiOutput().DeviceNames();
  GetMidiOutput().OpenDevice(0);
  form.cbOutputDevices.itemIndex = 0;
  std::mt19937 random(17);
  for (int i = 0; i < 300; ++i) {
    const RandomPreset preset = MakePreset(random);
    std::ofstream(folder_ / "random.vmp", std::ios::binary) << preset.text;
    LoadPresetFromFile(context, folder_ / "random.vmp");
    ASSERT_EQ(rig.State(), preset.expected) << preset.text;
  }
  EXPECT_EQ(messages.str(), "");
  GetMidiOutput().SetSendTap({});
  ReleaseMidiDevices();
}

TEST_F(RigRoundTripTest, TheRigCommandReadsTheCaptureOfALoad) {
  std::mt19937 random(4);
  const RandomPreset first = MakePreset(random);
  const RandomPreset last = MakePreset(random);
  std::ofstream(folder_ / "first.vmp", std::ios::binary) << first.text;
  std::ofstream(folder_ / "last.vmp", std::ios::binary) << last.text;
  ASSERT_EQ(Cli({"load", (folder_ / "first.vmp").string(), (folder_ / "last.vmp").string()}).status,
            0);
  const CliRun rig = Cli({"rig", "--json", "--from", capture_.string()});
  EXPECT_EQ(rig.status, 0) << rig.err;
  // The JSON's exact text is checked on the real MIDI systems; here, the state it holds.
  EXPECT_EQ(rig.out, RigStateJson(last.expected) + "\n");
}

TEST_F(RigRoundTripTest, BadOptionsGiveTheUsageAndABadFileNamesItsLineWithNothingPrinted) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--from"},
                                             {"--from", "x", "--in", "0"},
                                             {"--from", "x", "--seconds", "1"},
                                             {"--create", "a", "b"},
                                             {"--create", "--in", "1"},
                                             {"--in", "-1"},
                                             {"name"},
                                             {"--loud"}}) {
    std::vector<std::string> words{"rig"};
    words.insert(words.end(), args.begin(), args.end());
    const CliRun run = Cli(words);
    EXPECT_EQ(run.status, 2) << words[1];
    EXPECT_TRUE(run.err.starts_with("usage: velmora-cli rig ")) << run.err;
  }
  std::ofstream(folder_ / "bad.txt") << "0 0 B0 0C 31\n\n12 0 B0 0c 31\n";
  const std::string bad = (folder_ / "bad.txt").string();
  const CliRun run = Cli({"rig", "--from", bad});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, bad +
                         ":3: \"0c\" is not a byte written as one blank and two upper-case "
                         "hexadecimal digits.\n");
}

}  // namespace
}  // namespace velmora

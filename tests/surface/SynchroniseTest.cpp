#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "SurfaceFixture.h"
#include "midi/Midi.h"
#include "surface/editing/Synchronise.h"
#include "surface/form/KnobPointer.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr const char* kGuitar2 = "F0 00 01 0C 03 07 0D 02 00 00 00 00 09 F7 00";
constexpr const char* kCab1x10OnAmp1 = "F0 00 01 0C 03 07 0D 00 00 00 00 00 03 F7";
constexpr const char* kSuperOOnAmp2 = "F0 00 01 0C 03 07 0D 00 02 00 00 00 01 F7 00";

// The six knob messages of a channel with the values SetDistinctKnobs gives.
std::vector<std::string> Knobs1() {
  return {"B0 0D 01", "B0 0E 02", "B0 0F 03", "B0 10 04", "B0 15 05", "B0 11 06"};
}
std::vector<std::string> Knobs2() {
  return {"B0 5C 64", "B0 5D 65", "B0 5E 66", "B0 5F 67", "B0 66 68", "B0 67 69"};
}

void Append(std::vector<std::string>& to, const std::vector<std::string>& more) {
  to.insert(to.end(), more.begin(), more.end());
}

class SynchroniseTest : public SurfaceTest {
 protected:
  // A guitar, both amps and cabs chosen, both channels on.
  void ChooseEverything() {
    SetDistinctKnobs();
    Select(form_.cbGuitares, "2 Telecaster modified");
    Select(form_.cbAmpli1, "Line6 Clean");
    Select(form_.cbEnceintes1, "1x10");
    Select(form_.cbAmpli2, "'67 Fn Black Dual Show");
    Select(form_.cbEnceintes2, "1x6 Super O");
    form_.bttnOnOffAMP1.caption = "ON";
    form_.bttnOnOffAMP2.caption = "ON";
  }

  static std::vector<std::string> FullSynchronise() {
    std::vector<std::string> wire = {"progress 0", kGuitar2, "pause", "progress 10", "B0 0C 00 00"};
    Append(wire, Knobs1());
    Append(wire, {"pause", kCab1x10OnAmp1, kCab1x10OnAmp1, "pause", "progress 20"});
    Append(wire, {kCab1x10OnAmp1, kCab1x10OnAmp1, "pause", "progress 30"});
    Append(wire, Knobs1());
    Append(wire, {"pause", "progress 40", "B0 5B 43 00"});
    Append(wire, Knobs2());
    Append(wire, {"pause", kSuperOOnAmp2, kSuperOOnAmp2, "pause", "progress 50"});
    Append(wire, {kSuperOOnAmp2, "pause", "progress 60"});
    Append(wire, Knobs2());
    Append(wire, {"pause", "progress 70", "B0 6F 7F", "pause", "progress 80", "B0 70 7F",
                  "progress 90", "progress 100", "progress 0", "progress hidden"});
    return wire;
  }
};

TEST_F(SynchroniseTest, FullStateSendsThirtySixMessagesInGroupsWithProgress) {
  ChooseEverything();
  bttnSynchroClick(context_);
  EXPECT_THAT(Wire(), ElementsAreArray(FullSynchronise()));
  EXPECT_EQ(platform_->Sent().size(), 36u);
  EXPECT_EQ(view_.stepDelays, 10);
  EXPECT_FALSE(form_.pbTraitementFichier.visible);
  EXPECT_EQ(form_.pbTraitementFichier.Position(), 0);
}

TEST_F(SynchroniseTest, ASecondSynchroniseSendsExactlyTheSameSequence) {
  ChooseEverything();
  Synchronise(context_);
  const std::vector<std::string> first = Wire();
  ClearWire();
  Synchronise(context_);
  EXPECT_EQ(Wire(), first);
}

TEST_F(SynchroniseTest, ChangesNoValueCaptionLookOrEnabledState) {
  ChooseEverything();
  form_.bttnOnOffAMP2.caption = "OFF";
  form_.cbAmpli2.enabled = false;
  form_.lblAmpliAMP1 = "Line6 Clean";
  Synchronise(context_);
  EXPECT_EQ(form_.cbAmpli1.Text(), "Line6 Clean");
  EXPECT_EQ(form_.cbEnceintes2.Text(), "1x6 Super O");
  EXPECT_EQ(form_.cbGuitares.Text(), "2 Telecaster modified");
  EXPECT_EQ(form_.tbDRIVE1.Position(), 4);
  EXPECT_EQ(form_.tbVOL2.Position(), 420);
  EXPECT_EQ(form_.bttnOnOffAMP1.caption, "ON");
  EXPECT_EQ(form_.bttnOnOffAMP2.caption, "OFF");
  EXPECT_EQ(form_.bttnOnOffAMP2.look, ColorScheme::csNeoSilver);
  EXPECT_FALSE(form_.cbAmpli2.enabled);
  EXPECT_EQ(form_.lblAmpliAMP1, "Line6 Clean");
  EXPECT_EQ(form_.lblEnceinteAMP2, "1x6x9 Supro S6616 années ('60)");
}

// Nothing chosen: the knobs (each once) and the two power texts, nothing else.
std::vector<std::string> EmptyStateSynchronise(const char* power1, const char* power2) {
  std::vector<std::string> wire = {"progress 0",  "pause", "progress 10", "pause",
                                   "progress 20", "pause", "progress 30"};
  Append(wire, {"B0 0D 00", "B0 0E 00", "B0 0F 00", "B0 10 00", "B0 15 00", "B0 11 00"});
  Append(wire, {"pause", "progress 40", "pause", "progress 50", "pause", "progress 60"});
  Append(wire, {"B0 5C 00", "B0 5D 00", "B0 5E 00", "B0 5F 00", "B0 66 00", "B0 67 00"});
  Append(wire, {"pause", "progress 70", power1, "pause", "progress 80", power2, "progress 90",
                "progress 100", "progress 0", "progress hidden"});
  return wire;
}

TEST_F(SynchroniseTest, EmptySelectorsAndBothOffSendTheKnobsAndBothOffTexts) {
  Synchronise(context_);
  EXPECT_THAT(Wire(), ElementsAreArray(EmptyStateSynchronise("B0 6F 00", "B0 70 00")));
  EXPECT_EQ(view_.stepDelays, 8);
}

TEST_F(SynchroniseTest, ChannelOneOnAndTwoOffSendsEachOwnPowerText) {
  form_.bttnOnOffAMP1.caption = "ON";
  Synchronise(context_);
  EXPECT_THAT(Wire(), ElementsAreArray(EmptyStateSynchronise("B0 6F 7F", "B0 70 00")));
  EXPECT_EQ(form_.bttnOnOffAMP1.look, ColorScheme::csNeoSilver);
}

TEST_F(SynchroniseTest, ACaptionOtherThanOnOrOffSendsNoPowerText) {
  form_.bttnOnOffAMP1.caption = "on";
  form_.bttnOnOffAMP2.caption = "";
  Synchronise(context_);
  const std::vector<std::string> wire = Wire();
  EXPECT_THAT(std::vector<std::string>(wire.end() - 7, wire.end()),
              ElementsAre("progress 70", "pause", "progress 80", "progress 90", "progress 100",
                          "progress 0", "progress hidden"));
}

TEST_F(SynchroniseTest, KnobsAreRedrawnBeforeEachSendSoThePointersStayPut) {
  SetDistinctKnobs();
  Synchronise(context_);
  // Per knob: draw at its value without sending, then erase and draw there again.
  ASSERT_EQ(view_.strokes.size(), 48u);
  const int values[] = {4, 8, 12, 16, 20, 24, 400, 404, 408, 412, 416, 420};
  for (std::size_t k = 0; k < 12; ++k) {
    const KnobPoint end = KnobPointerEnd(values[k]);
    for (std::size_t s = 1; s < 4; ++s) {
      EXPECT_EQ(view_.strokes[4 * k + s].to, end) << k << " " << s;
    }
    EXPECT_EQ(view_.strokes[4 * k + 3].colour, kKnobOlive);
  }
  EXPECT_EQ(form_.LastDrawnKnobValue, 420);
}

TEST_F(SynchroniseTest, WithoutPortEverySendShowsTheBoxAndTheStepsGoOn) {
  ChooseEverything();
  form_.cbOutputDevices.itemIndex = -1;
  Synchronise(context_);
  EXPECT_EQ(view_.messages.size(), 36u);
  EXPECT_EQ(view_.messages.front(), "Veuillez sélectionner un port de sortie (MIDI OUT).");
  EXPECT_EQ(view_.stepDelays, 10);
  EXPECT_TRUE(platform_->Sent().empty());
  EXPECT_FALSE(form_.pbTraitementFichier.visible);
}

TEST_F(SynchroniseTest, DeviceErrorEndsItAtThatSendWithTheBarHidden) {
  ChooseEverything();
  platform_->FailNext("OutputLong", kMidiInvalidHandle);
  EXPECT_THROW(Synchronise(context_), MidiError);
  EXPECT_THAT(Wire(), ElementsAre("progress 0", "progress hidden"));
  EXPECT_EQ(view_.stepDelays, 0);
}

TEST_F(SynchroniseTest, DeviceErrorLateInTheRunKeepsEverySendBeforeIt) {
  ChooseEverything();
  // The ninth pause ends the second channel's knobs: the first power send fails.
  view_.onPause = [this](int pauses) {
    if (pauses == 9) {
      platform_->FailNext("OutputLong", kMidiInvalidHandle);
    }
  };
  EXPECT_THROW(Synchronise(context_), MidiError);
  std::vector<std::string> expected = FullSynchronise();
  expected.resize(expected.size() - 8);
  expected.push_back("progress hidden");
  EXPECT_THAT(Wire(), ElementsAreArray(expected));
  EXPECT_EQ(platform_->Sent().size(), 34u);
  EXPECT_EQ(form_.pbTraitementFichier.Position(), 70);
}

TEST_F(SynchroniseTest, APictureErrorAfterTheGuitarSendKeepsItSentAndHidesTheBar) {
  ChooseEverything();
  std::filesystem::remove(PicturePath("selecteur2.jpg"));
  EXPECT_THROW(Synchronise(context_), std::runtime_error);
  EXPECT_THAT(Wire(), ElementsAre("progress 0", kGuitar2, "progress hidden"));
  EXPECT_EQ(form_.lblGuitareModele, "Telecaster modified");
}

}  // namespace
}  // namespace velmora

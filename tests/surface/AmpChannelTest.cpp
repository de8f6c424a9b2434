#include <gmock/gmock.h>

#include "SurfaceFixture.h"
#include "midi/Midi.h"
#include "surface/editing/AmpChannel.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr const char* kCab2OnAmp1 = "F0 00 01 0C 03 07 0D 00 00 00 00 00 01 F7";
constexpr const char* kCab2OnAmp2 = "F0 00 01 0C 03 07 0D 00 02 00 00 00 01 F7 00";

using AmpChannelTest = SurfaceTest;

TEST_F(AmpChannelTest, BypassAmpSendsItsMessageShowsItsNameAndResendsTheKnobs) {
  SetDistinctKnobs();
  Select(form_.cbAmpli1, "Bypass (no amp)");
  cbAmpli1Change(context_);
  EXPECT_THAT(Wire(), ElementsAre("B0 0C 31 00", "B0 0D 01", "B0 0E 02", "B0 0F 03", "B0 10 04",
                                  "B0 15 05", "B0 11 06"));
  EXPECT_EQ(form_.lblAmpliAMP1, "No amp model");
  EXPECT_EQ(form_.lblEnceinteAMP1, "Sélectionnez un modèle d'enceinte...");
}

TEST_F(AmpChannelTest, AmpWithACabChosenPausesThenSendsTheCabTwice) {
  SetDistinctKnobs();
  Select(form_.cbAmpli2, "'67 Fn Black Dual Show");
  Select(form_.cbEnceintes2, "1x6 Super O");
  ApplyAmpModel(context_, Channel::Amp2);
  EXPECT_THAT(Wire(), ElementsAre("B0 5B 43 00", "B0 5C 64", "B0 5D 65", "B0 5E 66", "B0 5F 67",
                                  "B0 66 68", "B0 67 69", "pause", kCab2OnAmp2, kCab2OnAmp2));
  EXPECT_EQ(form_.lblAmpliAMP2, "Fender Dual Showman head (1967)");
  EXPECT_EQ(form_.lblEnceinteAMP2, "Sélectionnez un modèle d'enceinte...");
}

TEST_F(AmpChannelTest, AmpChangesKeepTheKnobValues) {
  SetDistinctKnobs();
  Select(form_.cbAmpli1, "'67 Fn Black Dual Show");
  Select(form_.cbEnceintes1, "1x6 Super O");
  for (int i = 0; i < 3; ++i) {
    ApplyAmpModel(context_, Channel::Amp1);
    ApplyCabModel(context_, Channel::Amp1);
  }
  EXPECT_EQ(form_.lblAmpliAMP1, "TFender Dual Showman head (1967)");
  EXPECT_EQ(form_.tbDRIVE1.Position(), 4);
  EXPECT_EQ(form_.tbVOL1.Position(), 24);
  EXPECT_EQ(view_.stepDelays, 3);
}

TEST_F(AmpChannelTest, EmptyAmpSelectorDoesNothing) {
  Select(form_.cbEnceintes1, "1x6 Super O");
  ApplyAmpModel(context_, Channel::Amp1);
  EXPECT_THAT(Wire(), IsEmpty());
  EXPECT_EQ(form_.lblAmpliAMP1, "Sélectionnez un modèle d'ampli...");
}

TEST_F(AmpChannelTest, CabIsFourteenBytesOnAmp1AndFifteenOnAmp2) {
  Select(form_.cbEnceintes1, "1x6 Super O");
  Select(form_.cbEnceintes2, "1x6 Super O");
  cbEnceintes1Change(context_);
  cbEnceintes2Change(context_);
  EXPECT_THAT(Wire(), ElementsAre(kCab2OnAmp1, kCab2OnAmp2));
  EXPECT_EQ(form_.lblEnceinteAMP1, "1x6x9 Supro S6616 ('60)");
  EXPECT_EQ(form_.lblEnceinteAMP2, "1x6x9 Supro S6616 années ('60)");
}

TEST_F(AmpChannelTest, EmptyCabSelectorDoesNothing) {
  ApplyCabModel(context_, Channel::Amp2);
  EXPECT_THAT(Wire(), IsEmpty());
  EXPECT_EQ(form_.lblEnceinteAMP2, "Sélectionnez un modèle d'enceinte...");
}

TEST_F(AmpChannelTest, WithoutPortEverySendReportsAndTheLabelsStillChange) {
  form_.cbOutputDevices.itemIndex = -1;
  Select(form_.cbAmpli1, "Line6 Clean");
  Select(form_.cbEnceintes1, "1x10");
  ApplyAmpModel(context_, Channel::Amp1);
  EXPECT_EQ(view_.messages.size(), 9u);
  EXPECT_EQ(view_.stepDelays, 1);
  EXPECT_EQ(form_.lblAmpliAMP1, "Line6 Clean");
  EXPECT_THAT(platform_->Sent(), IsEmpty());
}

TEST_F(AmpChannelTest, DeviceErrorEndsTheAmpChangeAtThatSend) {
  Select(form_.cbAmpli1, "Line6 Clean");
  Select(form_.cbEnceintes1, "1x10");
  platform_->FailNext("OutputLong", kMidiInvalidHandle);
  EXPECT_THROW(ApplyAmpModel(context_, Channel::Amp1), MidiError);
  EXPECT_THAT(Wire(), IsEmpty());
  EXPECT_EQ(view_.stepDelays, 0);
  EXPECT_EQ(form_.lblAmpliAMP1, "Sélectionnez un modèle d'ampli...");
}

TEST_F(AmpChannelTest, DisabledSelectorsIgnoreAPick) {
  SetPowerLook(form_, Channel::Amp1, false);
  Select(form_.cbAmpli1, "Line6 Clean");
  Select(form_.cbEnceintes1, "1x10");
  cbAmpli1Change(context_);
  cbEnceintes1Change(context_);
  EXPECT_THAT(Wire(), IsEmpty());
}

TEST_F(AmpChannelTest, PowerLooks) {
  SetPowerLook(form_, Channel::Amp2, true);
  EXPECT_EQ(form_.bttnOnOffAMP2.caption, "ON");
  EXPECT_EQ(form_.bttnOnOffAMP2.look, ColorScheme::csNeoDesert);
  EXPECT_TRUE(form_.pnlEcranAMP2.enabled && form_.cbAmpli2.enabled && form_.cbEnceintes2.enabled);
  SetPowerLook(form_, Channel::Amp2, false);
  EXPECT_EQ(form_.bttnOnOffAMP2.caption, "OFF");
  EXPECT_EQ(form_.bttnOnOffAMP2.look, ColorScheme::csNeoSilver);
  EXPECT_FALSE(form_.pnlEcranAMP2.enabled || form_.cbAmpli2.enabled || form_.cbEnceintes2.enabled);
  EXPECT_EQ(form_.bttnOnOffAMP1.caption, "OFF");
  EXPECT_TRUE(form_.pnlEcranAMP1.enabled);
}

struct PowerCase {
  Channel pressed;
  bool amp1On;
  bool amp2On;
  bool amp1OnAfter;
  bool amp2OnAfter;
  std::vector<std::string> wire;
};

class PowerRuleTest : public SurfaceTest, public ::testing::WithParamInterface<PowerCase> {};

TEST_P(PowerRuleTest, KeepsOneChannelOnAndSendsTheRowsTexts) {
  const PowerCase& c = GetParam();
  SetPowerLook(form_, Channel::Amp1, c.amp1On);
  SetPowerLook(form_, Channel::Amp2, c.amp2On);
  if (c.pressed == Channel::Amp1) {
    bttnOnOffAMP1Click(context_);
  } else {
    bttnOnOffAMP2Click(context_);
  }
  EXPECT_EQ(Wire(), c.wire);
  EXPECT_EQ(form_.bttnOnOffAMP1.caption, c.amp1OnAfter ? "ON" : "OFF");
  EXPECT_EQ(form_.bttnOnOffAMP2.caption, c.amp2OnAfter ? "ON" : "OFF");
  EXPECT_EQ(form_.pnlEcranAMP1.enabled, c.amp1OnAfter);
  EXPECT_EQ(form_.cbAmpli2.enabled, c.amp2OnAfter);
}

INSTANTIATE_TEST_SUITE_P(
    BothTables, PowerRuleTest,
    ::testing::Values(PowerCase{Channel::Amp1, false, true, true, true, {"B0 6F 7F", "B0 70 7F"}},
                      PowerCase{Channel::Amp1, true, true, false, true, {"B0 6F 00", "B0 70 7F"}},
                      PowerCase{Channel::Amp1, true, false, true, false, {"B0 6F 7F"}},
                      PowerCase{Channel::Amp1, false, false, true, false, {"B0 6F 7F"}},
                      PowerCase{Channel::Amp2, true, false, true, true, {"B0 70 7F", "B0 6F 7F"}},
                      PowerCase{Channel::Amp2, true, true, true, false, {"B0 70 00", "B0 6F 7F"}},
                      PowerCase{Channel::Amp2, false, true, false, true, {"B0 70 7F"}},
                      PowerCase{Channel::Amp2, false, false, false, true, {"B0 70 7F"}}));

TEST_F(AmpChannelTest, UnknownPowerCaptionCountsAsNotOn) {
  form_.bttnOnOffAMP1.caption = "on";
  SetPowerLook(form_, Channel::Amp2, true);
  bttnOnOffAMP1Click(context_);
  EXPECT_THAT(Wire(), ElementsAre("B0 6F 7F"));
  EXPECT_EQ(form_.bttnOnOffAMP1.caption, "ON");
}

}  // namespace
}  // namespace velmora

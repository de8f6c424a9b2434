#include <gmock/gmock.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "SurfaceFixture.h"
#include "midi/Midi.h"
#include "profile/IntegerText.h"
#include "profile/Profile.h"
#include "surface/editing/Knobs.h"
#include "surface/form/KnobPointer.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(KnobPointerTest, EndPointsAcrossTheSweep) {
  EXPECT_EQ(KnobPointerStart(), (KnobPoint{12, 12}));
  EXPECT_EQ(KnobPointerEnd(0), (KnobPoint{7, 20}));
  EXPECT_EQ(KnobPointerEnd(128), (KnobPoint{3, 10}));
  EXPECT_EQ(KnobPointerEnd(256), (KnobPoint{12, 3}));
  EXPECT_EQ(KnobPointerEnd(384), (KnobPoint{21, 9}));
  EXPECT_EQ(KnobPointerEnd(508), (KnobPoint{18, 19}));
}

using KnobsTest = SurfaceTest;

TEST_F(KnobsTest, RefreshErasesAtTheLastDrawnValueThenDrawsAndSends) {
  form_.tbVOL2.SetPosition(508);
  form_.LastDrawnKnobValue = 128;
  RefreshKnob(context_, "VOL2", "oui");
  ASSERT_EQ(view_.strokes.size(), 2u);
  EXPECT_EQ(view_.strokes[0].knob, Knob::VOL2);
  EXPECT_EQ(view_.strokes[0].colour, kKnobYellow);
  EXPECT_EQ(view_.strokes[0].from, (KnobPoint{12, 12}));
  EXPECT_EQ(view_.strokes[0].to, (KnobPoint{3, 10}));
  EXPECT_EQ(view_.strokes[1].colour, kKnobOlive);
  EXPECT_EQ(view_.strokes[1].to, (KnobPoint{18, 19}));
  EXPECT_THAT(Wire(), ElementsAre("B0 67 7F"));
  EXPECT_EQ(form_.LastDrawnKnobValue, 508);
}

TEST_F(KnobsTest, RefreshSendsOnlyForOui) {
  form_.tbDRIVE1.SetPosition(256);
  RefreshKnob(context_, "DRIVE1", "non");
  RefreshKnob(context_, "DRIVE1", "OUI");
  RefreshKnob(context_, "DRIVE1", "yes");
  EXPECT_THAT(Wire(), IsEmpty());
  EXPECT_EQ(view_.strokes.size(), 6u);
  EXPECT_EQ(form_.LastDrawnKnobValue, 256);
  RefreshKnob(context_, "DRIVE1", "oui");
  EXPECT_THAT(Wire(), ElementsAre("B0 0D 40"));
}

TEST_F(KnobsTest, UnknownKnobNameDoesNothing) {
  form_.LastDrawnKnobValue = 12;
  RefreshKnob(context_, "drive1", "oui");
  RefreshKnob(context_, "DRIVE3", "oui");
  RefreshKnob(context_, "", "oui");
  EXPECT_THAT(Wire(), IsEmpty());
  EXPECT_THAT(view_.strokes, IsEmpty());
  EXPECT_EQ(form_.LastDrawnKnobValue, 12);
}

TEST_F(KnobsTest, EveryKnobHasItsPrefix) {
  for (Knob knob : kAllKnobs) {
    form_.ValueHolder(knob).SetPosition(4 * (static_cast<int>(knob) + 1));
    RefreshKnob(context_, KnobName(knob), "oui");
  }
  EXPECT_THAT(Wire(),
              ElementsAre("B0 0D 01", "B0 0E 02", "B0 0F 03", "B0 10 04", "B0 15 05", "B0 11 06",
                          "B0 5C 07", "B0 5D 08", "B0 5E 09", "B0 5F 0A", "B0 66 0B", "B0 67 0C"));
}

TEST_F(KnobsTest, LeftPressStepsDownByTheDefaultFactor) {
  form_.tbDRIVE1.SetPosition(256);
  KnobMouseDown(context_, Knob::DRIVE1, MouseButton::Left);
  EXPECT_THAT(Wire(), ElementsAre("B0 0D 40", "B0 0D 38"));
  EXPECT_EQ(form_.tbDRIVE1.Position(), 224);
}

TEST_F(KnobsTest, RightPressClampsAtTheTop) {
  WriteConfig("[KNOBS]\r\nFACTOR=8\r\n");
  form_.tbBASS2.SetPosition(500);
  KnobMouseDown(context_, Knob::BASS2, MouseButton::Right);
  EXPECT_EQ(form_.tbBASS2.Position(), 508);
  KnobMouseDown(context_, Knob::BASS2, MouseButton::Right);
  EXPECT_THAT(Wire(), ElementsAre("B0 5D 7D", "B0 5D 7F", "B0 5D 7F", "B0 5D 7F"));
}

TEST_F(KnobsTest, LeftPressAtZeroStaysAtZero) {
  KnobMouseDown(context_, Knob::MID1, MouseButton::Left);
  EXPECT_THAT(Wire(), ElementsAre("B0 0F 00", "B0 0F 00"));
  EXPECT_EQ(form_.tbMID1.Position(), 0);
}

TEST_F(KnobsTest, MiddlePressSendsTheValueTwiceWithoutReadingTheFactor) {
  WriteConfig("[KNOBS]\r\nFACTOR=huit\r\n");
  form_.tbTREB1.SetPosition(300);
  KnobMouseDown(context_, Knob::TREB1, MouseButton::Middle);
  EXPECT_THAT(Wire(), ElementsAre("B0 10 4B", "B0 10 4B"));
  EXPECT_EQ(form_.tbTREB1.Position(), 300);
}

TEST_F(KnobsTest, RemainderOfAnOddValueSurvivesSteps) {
  WriteConfig("[KNOBS]\r\nFACTOR=1\r\n");
  form_.tbPRES1.SetPosition(257);
  KnobMouseDown(context_, Knob::PRES1, MouseButton::Right);
  EXPECT_THAT(Wire(), ElementsAre("B0 15 40", "B0 15 41"));
  EXPECT_EQ(form_.tbPRES1.Position(), 261);
}

TEST_F(KnobsTest, FactorIsReadAfreshAtEveryPress) {
  WriteConfig("[KNOBS]\r\nFACTOR=16\r\n");
  form_.tbVOL1.SetPosition(256);
  KnobMouseDown(context_, Knob::VOL1, MouseButton::Right);
  EXPECT_EQ(form_.tbVOL1.Position(), 320);
  WriteConfig("[knobs]\r\n factor = 1 \r\n");
  KnobMouseDown(context_, Knob::VOL1, MouseButton::Left);
  EXPECT_EQ(form_.tbVOL1.Position(), 316);
  EXPECT_THAT(Wire(), ElementsAre("B0 11 40", "B0 11 50", "B0 11 50", "B0 11 4F"));
  EXPECT_EQ(form_.lblSensibiliteKnobsAMP1, "...");
}

TEST_F(KnobsTest, FactorThatIsNotANumberStopsThePressAfterTheFirstSend) {
  WriteConfig("[KNOBS]\r\nFACTOR=huit\r\n");
  form_.tbDRIVE2.SetPosition(256);
  try {
    KnobMouseDown(context_, Knob::DRIVE2, MouseButton::Left);
    FAIL() << "no error";
  } catch (const ConversionError& error) {
    EXPECT_STREQ(error.what(), "'huit' n'est pas une valeur entière correcte");
  }
  EXPECT_THAT(Wire(), ElementsAre("B0 5C 40"));
  EXPECT_EQ(form_.tbDRIVE2.Position(), 256);
  EXPECT_EQ(view_.strokes.size(), 2u);
}

TEST_F(KnobsTest, EmptyFactorCountsAsTheDefault) {
  WriteConfig("[KNOBS]\r\nFACTOR=\r\n");
  form_.tbDRIVE1.SetPosition(256);
  KnobMouseDown(context_, Knob::DRIVE1, MouseButton::Left);
  EXPECT_EQ(form_.tbDRIVE1.Position(), 224);
}

TEST_F(KnobsTest, WithoutPortThePressReportsTwiceAndStillSteps) {
  form_.cbOutputDevices.itemIndex = -1;
  form_.tbDRIVE1.SetPosition(256);
  KnobMouseDown(context_, Knob::DRIVE1, MouseButton::Right);
  EXPECT_EQ(view_.messages.size(), 2u);
  EXPECT_EQ(form_.tbDRIVE1.Position(), 288);
  EXPECT_EQ(view_.strokes.back().to, KnobPointerEnd(288));
}

TEST_F(KnobsTest, DeviceErrorOnTheFirstSendLeavesTheValue) {
  form_.tbDRIVE1.SetPosition(256);
  platform_->FailNext("OutputLong", kMidiInvalidHandle);
  EXPECT_THROW(KnobMouseDown(context_, Knob::DRIVE1, MouseButton::Right), MidiError);
  EXPECT_EQ(form_.tbDRIVE1.Position(), 256);
  EXPECT_THAT(Wire(), IsEmpty());
}

// Arms a device failure once the press has drawn its first pointer pair, so that only the
// press's second send fails.
class FailSecondSendView : public RecordingView {
 public:
  explicit FailSecondSendView(VirtualMidiPlatform& platform) : platform_(platform) {}
  void DrawKnobPointer(Knob knob, Rgb colour, KnobPoint from, KnobPoint to) override {
    RecordingView::DrawKnobPointer(knob, colour, from, to);
    if (strokes.size() == 3) {
      platform_.FailNext("OutputLong", kMidiInvalidHandle);
    }
  }

 private:
  VirtualMidiPlatform& platform_;
};

TEST_F(KnobsTest, DeviceErrorOnTheSecondSendKeepsTheNewValueAndPointer) {
  FailSecondSendView view(*platform_);
  EditingContext context{form_, view, context_.folders};
  form_.tbDRIVE1.SetPosition(256);
  EXPECT_THROW(KnobMouseDown(context, Knob::DRIVE1, MouseButton::Right), MidiError);
  EXPECT_EQ(form_.tbDRIVE1.Position(), 288);
  ASSERT_EQ(view.strokes.size(), 4u);
  EXPECT_EQ(view.strokes[2].to, KnobPointerEnd(256));
  EXPECT_EQ(view.strokes[3].to, KnobPointerEnd(288));
  EXPECT_THAT(Wire(), ElementsAre("B0 0D 40"));
}

TEST_F(KnobsTest, HugeFactorEndsAtTheLimit) {
  WriteConfig("[KNOBS]\r\nFACTOR=2147483647\r\n");
  form_.tbMID2.SetPosition(256);
  KnobMouseDown(context_, Knob::MID2, MouseButton::Right);
  EXPECT_EQ(form_.tbMID2.Position(), 508);
  WriteConfig("[KNOBS]\r\nFACTOR=-2147483648\r\n");
  KnobMouseDown(context_, Knob::MID2, MouseButton::Right);
  EXPECT_EQ(form_.tbMID2.Position(), 0);
}

TEST_F(KnobsTest, PressOnADisabledScreenDoesNothing) {
  form_.pnlEcranAMP2.enabled = false;
  form_.tbVOL2.SetPosition(256);
  KnobMouseDown(context_, Knob::VOL2, MouseButton::Right);
  EXPECT_THAT(Wire(), IsEmpty());
  EXPECT_THAT(view_.strokes, IsEmpty());
  EXPECT_EQ(form_.tbVOL2.Position(), 256);
  KnobMouseDown(context_, Knob::VOL1, MouseButton::Middle);
  EXPECT_EQ(Wire().size(), 2u);
}

TEST_F(KnobsTest, PressPrimesTheSharedLastDrawnValueBeforeErasing) {
  form_.tbVOL2.SetPosition(508);
  form_.tbBASS1.SetPosition(128);
  KnobMouseDown(context_, Knob::VOL2, MouseButton::Middle);
  view_.strokes.clear();
  KnobMouseDown(context_, Knob::BASS1, MouseButton::Right);
  ASSERT_EQ(view_.strokes.size(), 4u);
  // The second erase removes exactly the pointer the first draw left on BASS1.
  EXPECT_EQ(view_.strokes[0].to, KnobPointerEnd(508));
  EXPECT_EQ(view_.strokes[1].to, KnobPointerEnd(128));
  EXPECT_EQ(view_.strokes[2].colour, kKnobYellow);
  EXPECT_EQ(view_.strokes[2].to, KnobPointerEnd(128));
  EXPECT_EQ(view_.strokes[3].to, KnobPointerEnd(160));
}

TEST_F(KnobsTest, SetFactorStoresItAndShowsItOnBothScreens) {
  WriteConfig("; settings\r\n[KNOBS]\r\nFACTOR=8\r\n[CONFIG]\r\nLanguage=EN\r\n");
  SetKnobFactor(context_, 16);
  EXPECT_EQ(form_.lblSensibiliteKnobsAMP1, "16");
  EXPECT_EQ(form_.lblSensibiliteKnobsAMP2, "16");
  std::ifstream config(context_.folders.ConfigFile(), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(config), {}),
            "; settings\r\n[KNOBS]\r\nFACTOR=16\r\n[CONFIG]\r\nLanguage=EN\r\n");
  EXPECT_THAT(Wire(), IsEmpty());
  form_.tbDRIVE2.SetPosition(256);
  KnobMouseDown(context_, Knob::DRIVE2, MouseButton::Left);
  EXPECT_EQ(form_.tbDRIVE2.Position(), 192);
  EXPECT_THAT(Wire(), ElementsAre("B0 5C 40", "B0 5C 30"));
}

TEST_F(KnobsTest, EachMenuItemStoresTheFactorItsCaptionNames) {
  std::vector<std::string> captions;
  for (const KnobFactorItem& item : kKnobFactorMenu) {
    SetKnobFactor(context_, item.factor);
    captions.emplace_back(item.caption);
    EXPECT_EQ("x " + form_.lblSensibiliteKnobsAMP2, item.caption);
  }
  EXPECT_THAT(captions, ElementsAre("x 1", "x 4", "x 8", "x 16", "x 32"));
}

TEST_F(KnobsTest, FactorThatCannotBeWrittenLeavesTheCaptions) {
  std::filesystem::create_directory(context_.folders.ConfigFile());
  try {
    SetKnobFactor(context_, 32);
    FAIL() << "no error";
  } catch (const ProfileWriteError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Impossible d'écrire dans " + context_.folders.ConfigFile().string());
  }
  EXPECT_EQ(form_.lblSensibiliteKnobsAMP1, "...");
  EXPECT_EQ(form_.lblSensibiliteKnobsAMP2, "...");
}

}  // namespace
}  // namespace velmora

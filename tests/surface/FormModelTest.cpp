#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "surface/form/FormModel.h"

namespace velmora {
namespace {

TEST(ComboBoxTest, TextIsTheSelectedItemOrEmpty) {
  ComboBox box{{"a", "b"}, -1, true};
  EXPECT_EQ(box.Text(), "");
  box.itemIndex = 1;
  EXPECT_EQ(box.Text(), "b");
  box.itemIndex = 2;
  EXPECT_EQ(box.Text(), "");
}

TEST(ComboBoxTest, SelectionIgnoresLetterCaseAndShowsTheItemAsListed) {
  FormModel form = MakeStartupForm();
  form.cbAmpli1.SelectTextIgnoringCase("bypass (NO AMP)");
  EXPECT_EQ(form.cbAmpli1.Text(), "Bypass (no amp)");
  form.cbEnceintes2.SelectTextIgnoringCase("4X12 GREEN 25'S");
  EXPECT_EQ(form.cbEnceintes2.itemIndex, 23);
  ComboBox accented{{"x", "1x6 années"}, -1, true};
  accented.SelectTextIgnoringCase("1X6 ANNÉES");
  EXPECT_EQ(accented.itemIndex, 1);
  form.cbAmpli1.SelectTextIgnoringCase("Bypass (no amp) ");
  EXPECT_EQ(form.cbAmpli1.itemIndex, -1);
  form.cbAmpli1.SelectTextIgnoringCase("Bypass (no amp)");
  form.cbAmpli1.SelectTextIgnoringCase("");
  EXPECT_EQ(form.cbAmpli1.Text(), "");
}

TEST(TrackBarTest, PositionIsClampedIntoTheKnobRange) {
  TrackBar bar;
  bar.SetPosition(600);
  EXPECT_EQ(bar.Position(), 508);
  bar.SetPosition(-20);
  EXPECT_EQ(bar.Position(), 0);
  bar.SetPosition(9'000'000'000LL);
  EXPECT_EQ(bar.Position(), 508);
  bar.SetPosition(257);
  EXPECT_EQ(bar.Position(), 257);
}

TEST(KnobTest, NamesChannelsAndPrefixes) {
  EXPECT_EQ(KnobName(Knob::DRIVE1), "DRIVE1");
  EXPECT_EQ(KnobName(Knob::VOL2), "VOL2");
  EXPECT_EQ(FindKnob("PRES2"), Knob::PRES2);
  EXPECT_EQ(FindKnob("pres2"), std::nullopt);
  EXPECT_EQ(KnobChannel(Knob::VOL1), Channel::Amp1);
  EXPECT_EQ(KnobChannel(Knob::DRIVE2), Channel::Amp2);
  EXPECT_THAT(ChannelKnobs(Channel::Amp2),
              ::testing::ElementsAre(Knob::DRIVE2, Knob::BASS2, Knob::MID2, Knob::TREB2,
                                     Knob::PRES2, Knob::VOL2));
  EXPECT_EQ(KnobPrefix(Knob::PRES1), "B0 15 ");
  EXPECT_EQ(KnobPrefix(Knob::VOL2), "B0 67 ");
  FormModel form;
  form.ValueHolder(Knob::TREB2).SetPosition(44);
  EXPECT_EQ(form.tbTREB2.Position(), 44);
}

TEST(StartupFormTest, SelectorsFilledNothingChosenChannelsOff) {
  const FormModel form = MakeStartupForm();
  EXPECT_EQ(form.cbAmpli1.items.size(), 74u);
  EXPECT_EQ(form.cbAmpli2.items.size(), 74u);
  EXPECT_EQ(form.cbEnceintes1.items.size(), 28u);
  EXPECT_EQ(form.cbEnceintes2.items.size(), 28u);
  EXPECT_EQ(form.cbGuitares.items.size(), 50u);
  EXPECT_EQ(form.cbAmpli1.items.front(), "Bypass (no amp)");
  EXPECT_EQ(form.cbEnceintes2.items.back(), "4x12 HiGn SOLO");
  for (const ComboBox* box : {&form.cbAmpli1, &form.cbAmpli2, &form.cbEnceintes1,
                              &form.cbEnceintes2, &form.cbGuitares, &form.cbOutputDevices}) {
    EXPECT_EQ(box->itemIndex, -1);
  }
  EXPECT_EQ(form.bttnOnOffAMP1.caption, "OFF");
  EXPECT_EQ(form.bttnOnOffAMP2.caption, "OFF");
  EXPECT_EQ(form.bttnOnOffAMP1.look, ColorScheme::csNeoSilver);
  for (Knob knob : kAllKnobs) {
    EXPECT_EQ(form.ValueHolder(knob).Position(), 0);
  }
  EXPECT_EQ(form.LastDrawnKnobValue, 0);
  EXPECT_EQ(form.lblGuitareModele, "...");
  EXPECT_EQ(form.bttnGuitares.look, ColorScheme::csNeoSun);
  EXPECT_EQ(form.windowWidth, 703);
  EXPECT_TRUE(form.imgGuitares.file.empty());
  EXPECT_TRUE(form.pbTraitementFichier.visible);
  EXPECT_EQ(form.pbTraitementFichier.Position(), 0);
}

}  // namespace
}  // namespace velmora

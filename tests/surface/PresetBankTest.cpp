#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "SurfaceFixture.h"
#include "midi/Midi.h"
#include "presets/IntegerText.h"
#include "surface/MidiSend.h"
#include "surface/PresetBank.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

using Press = void (*)(EditingContext&);

// The four letter buttons' looks as one text, a capital for the selected: "aBcd".
std::string LetterLooks(const FormModel& form) {
  std::string looks;
  const GradientButton* buttons[] = {&form.bttnPresetA, &form.bttnPresetB, &form.bttnPresetC,
                                     &form.bttnPresetD};
  for (int i = 0; i < 4; ++i) {
    const bool selected = buttons[i]->look == ColorScheme::csNeoDesert;
    looks += static_cast<char>((selected ? 'A' : 'a') + i);
  }
  return looks;
}

// The group buttons' looks: "U" or "F" for the selected one, "-" for neither.
std::string GroupLook(const FormModel& form) {
  const bool user = form.bttnPresetUser.look == ColorScheme::csNeoDesert;
  const bool factory = form.bttnPresetFactory.look == ColorScheme::csNeoDesert;
  return user && !factory ? "U" : factory && !user ? "F" : user ? "both" : "-";
}

class PresetBankTest : public SurfaceTest {
 protected:
  void Display(const char* group, const char* number, const char* letter) {
    form_.lblPresetBanque = group;
    form_.lblPresetNumero = number;
    form_.lblPresetABCD = letter;
  }
};

struct PressCase {
  const char* group;
  const char* number;
  const char* letter;
  Press press;
  std::vector<std::string> wire;
  const char* displayAfter;  // group, number and letter
};

TEST_F(PresetBankTest, EachPressSendsTheGroupSwitchThenThePresetOfTheDisplay) {
  const std::vector<PressCase> cases = {
      {"FACTORY", "16", "D", bttnPresetPlusClick, {"C0 4E", "C0 7F"}, "FACTORY 16D"},
      {"USER", "1", "A", bttnPresetMoinsClick, {"C0 0E", "C0 00"}, "USER 1A"},
      {"USER", "4", "B", bttnPresetCClick, {"C0 0E", "C0 0E"}, "USER 4C"},
      {"USER", "7", "B", bttnPresetFactoryClick, {"C0 4E", "C0 59"}, "FACTORY 7B"},
      {"FACTORY", "3", "B", bttnPresetUserClick, {"C0 0E", "C0 09"}, "USER 3B"},
      {"USER", "12", ".", bttnPresetDClick, {"C0 0E", "C0 2F"}, "USER 12D"},
      {"FACTORY", "9", "C", bttnPresetAClick, {"C0 4E", "C0 60"}, "FACTORY 9A"},
      {"USER", "9", "C", bttnPresetBClick, {"C0 0E", "C0 21"}, "USER 9B"},
      {"USER", "15", "C", bttnPresetPlusClick, {"C0 0E", "C0 3E"}, "USER 16C"},
      {"FACTORY", "2", "A", bttnPresetMoinsClick, {"C0 4E", "C0 40"}, "FACTORY 1A"},
      // Hand-edited numbers beyond the banks: shown as they are, only the switch goes out,
      // and the steps walk back towards the banks one at a time.
      {"USER", "20", "A", bttnPresetPlusClick, {"C0 0E"}, "USER 20A"},
      {"USER", "20", "A", bttnPresetMoinsClick, {"C0 0E"}, "USER 19A"},
      {"USER", "17", "B", bttnPresetMoinsClick, {"C0 0E", "C0 3D"}, "USER 16B"},
      {"FACTORY", "0", "A", bttnPresetMoinsClick, {"C0 4E"}, "FACTORY 0A"},
      {"FACTORY", "0", "A", bttnPresetPlusClick, {"C0 4E", "C0 40"}, "FACTORY 1A"},
      {"USER", "-5", "D", bttnPresetPlusClick, {"C0 0E"}, "USER -4D"},
      {"USER", "05", "A", bttnPresetPlusClick, {"C0 0E", "C0 14"}, "USER 6A"},
      // The ends of int: no step may overflow.
      {"USER", "2147483647", "A", bttnPresetPlusClick, {"C0 0E"}, "USER 2147483647A"},
      {"USER", "-2147483648", "A", bttnPresetMoinsClick, {"C0 0E"}, "USER -2147483648A"},
      // No group shown: the captions change, nothing is sent.
      {"", "3", "A", bttnPresetCClick, {}, " 3C"},
      {"user", "3", "A", bttnPresetPlusClick, {}, "user 4A"},
  };
  for (const PressCase& c : cases) {
    SCOPED_TRACE(std::string(c.group) + " " + c.number + c.letter + " -> " + c.displayAfter);
    ClearWire();
    Display(c.group, c.number, c.letter);
    c.press(context_);
    EXPECT_THAT(Wire(), ElementsAreArray(c.wire));
    EXPECT_EQ(form_.lblPresetBanque + " " + PresetKey(form_), c.displayAfter);
  }
}

TEST_F(PresetBankTest, GroupAndLetterButtonsMarkOnlyTheirOwnChoice) {
  Display("USER", "7", "B");
  bttnPresetFactoryClick(context_);
  EXPECT_EQ(GroupLook(form_), "F");
  EXPECT_EQ(LetterLooks(form_), "abcd");
  bttnPresetCClick(context_);
  EXPECT_EQ(LetterLooks(form_), "abCd");
  bttnPresetAClick(context_);
  EXPECT_EQ(LetterLooks(form_), "Abcd");
  bttnPresetUserClick(context_);
  EXPECT_EQ(GroupLook(form_), "U");
  EXPECT_EQ(LetterLooks(form_), "Abcd");
  bttnPresetDClick(context_);
  bttnPresetPlusClick(context_);
  EXPECT_EQ(LetterLooks(form_), "abcD");
  EXPECT_EQ(GroupLook(form_), "U");
  EXPECT_THAT(Wire(), ElementsAre("C0 4E", "C0 59", "C0 4E", "C0 5A", "C0 4E", "C0 58", "C0 0E",
                                  "C0 18", "C0 0E", "C0 1B", "C0 0E", "C0 1F"));
}

TEST_F(PresetBankTest, SelectPresetComparesTheKeyExactly) {
  form_.lblPresetBanque = "FACTORY";
  SelectPreset(context_, "3B");
  SelectPreset(context_, "1a");
  SelectPreset(context_, "");
  form_.lblPresetBanque = "USER";
  SelectPreset(context_, "16D");
  SelectPreset(context_, "16D ");
  EXPECT_THAT(Wire(), ElementsAre("C0 4E", "C0 49", "C0 4E", "C0 4E", "C0 0E", "C0 3F", "C0 0E"));
}

TEST_F(PresetBankTest, NumberThatIsNotAWholeNumberStopsTheStepsBeforeAnything) {
  Display("USER", "abc", "B");
  for (Press step : {bttnPresetPlusClick, bttnPresetMoinsClick}) {
    try {
      step(context_);
      ADD_FAILURE() << "no error";
    } catch (const ConversionError& error) {
      EXPECT_STREQ(error.what(), "'abc' n'est pas une valeur entière correcte");
    }
  }
  EXPECT_EQ(form_.lblPresetNumero, "abc");
  EXPECT_THAT(Wire(), IsEmpty());
  // The other buttons still send the group switch; the key matches nothing.
  bttnPresetFactoryClick(context_);
  bttnPresetCClick(context_);
  EXPECT_THAT(Wire(), ElementsAre("C0 4E", "C0 4E"));
  EXPECT_EQ(PresetKey(form_), "abcC");
}

TEST_F(PresetBankTest, WithoutAPortEveryMessageShowsTheBoxAndTheCaptionsChangeAnyway) {
  form_.cbOutputDevices.itemIndex = -1;
  Display("USER", "4", "A");
  bttnPresetBClick(context_);
  bttnPresetPlusClick(context_);
  const std::string box = "box: " + std::string(kNoOutputPortText);
  EXPECT_THAT(Wire(), ElementsAre(box, box, box, box));
  EXPECT_EQ(PresetKey(form_), "5B");
  EXPECT_EQ(LetterLooks(form_), "aBcd");
  EXPECT_THAT(platform_->Sent(), IsEmpty());
}

TEST_F(PresetBankTest, ToggleHidesAndShowsThePanelWithTheWindowHeight) {
  form_.windowHeight = kDesignWindowHeight + kPresetPanelHeight;
  bttnPresetsClick(form_);
  EXPECT_EQ(form_.bttnPresets.look, ColorScheme::csNeoSilver);
  EXPECT_FALSE(form_.pnlPresets.visible);
  EXPECT_EQ(form_.windowHeight, 431);
  bttnPresetsClick(form_);
  EXPECT_EQ(form_.bttnPresets.look, ColorScheme::csNeoSun);
  EXPECT_TRUE(form_.pnlPresets.visible);
  EXPECT_EQ(form_.windowHeight, 521);
  EXPECT_EQ(form_.bttnPresets.caption, "Presets");

  form_.bttnPresets.look = ColorScheme::csNeoDesert;
  bttnPresetsClick(form_);
  EXPECT_EQ(form_.bttnPresets.look, ColorScheme::csNeoDesert);
  EXPECT_TRUE(form_.pnlPresets.visible);
  EXPECT_EQ(form_.windowHeight, 521);
  EXPECT_THAT(Wire(), IsEmpty());
  EXPECT_FALSE(std::filesystem::exists(context_.folders.ConfigFile()));
}

// A panel marked shown whose window was never enlarged (no SHOW stored): the first press
// hides it without cutting the window below its designed height, the second brings it into
// view.
TEST_F(PresetBankTest, PanelShownOutsideTheWindowComesIntoViewOnTheSecondPress) {
  ASSERT_EQ(form_.windowHeight, kDesignWindowHeight);
  ASSERT_EQ(form_.bttnPresets.look, ColorScheme::csNeoSun);
  bttnPresetsClick(form_);
  EXPECT_FALSE(form_.pnlPresets.visible);
  EXPECT_EQ(form_.windowHeight, 431);
  bttnPresetsClick(form_);
  EXPECT_TRUE(form_.pnlPresets.visible);
  EXPECT_EQ(form_.windowHeight, 521);
}

struct RestoreCase {
  const char* name;
  const char* config;  // nullptr: no config.ini at all
  const char* display;
  const char* groupLook;
  const char* letterLooks;
  bool shown;
  int height;
  std::vector<std::string> wire;
};

TEST_F(PresetBankTest, RestoreSetsThePanelFromTheSettingsThenSendsItsPreset) {
  const std::vector<RestoreCase> cases = {
      {"new file",
       "[PRESETS]\r\nSHOW=YES\r\nBANK=USER\r\nNUMBER=1\r\nLETTER=A\r\n",
       "USER 1A",
       "U",
       "Abcd",
       true,
       521,
       {"C0 0E", "C0 00"}},
      {"no NUMBER, hidden",
       "[PRESETS]\r\nSHOW=NO\r\nBANK=FACTORY\r\nLETTER=C\r\n",
       "FACTORY 1C",
       "F",
       "abCd",
       false,
       431,
       {"C0 4E", "C0 42"}},
      {"letter x",
       "[PRESETS]\r\nSHOW=YES\r\nBANK=USER\r\nNUMBER=5\r\nLETTER=x\r\n",
       "USER 5.",
       "U",
       "abcd",
       true,
       521,
       {"C0 0E"}},
      {"no BANK, no SHOW",
       "[PRESETS]\r\nNUMBER=3\r\nLETTER=B\r\n",
       " 3B",
       "-",
       "aBcd",
       true,
       431,
       {}},
      {"other BANK and SHOW",
       "[presets]\nbank=Factory\nnumber=12\nletter=D\nshow=yes\n",
       "Factory 12D",
       "-",
       "abcD",
       true,
       431,
       {}},
      {"number out of the banks",
       "[PRESETS]\nSHOW=NO\nBANK=FACTORY\nNUMBER=20\nLETTER=D\n",
       "FACTORY 20D",
       "F",
       "abcD",
       false,
       431,
       {"C0 4E"}},
      {"no file", nullptr, " 1.", "-", "abcd", true, 431, {}},
  };
  for (const RestoreCase& c : cases) {
    SCOPED_TRACE(c.name);
    form_ = MakeStartupForm();
    form_.cbOutputDevices.items = GetMidiOutput().DeviceNames();
    form_.cbOutputDevices.itemIndex = 0;
    std::filesystem::remove(context_.folders.ConfigFile());
    if (c.config != nullptr) {
      WriteConfig(c.config);
    }
    ClearWire();
    RestorePresetPanel(context_);
    EXPECT_EQ(form_.lblPresetBanque + " " + PresetKey(form_), c.display);
    EXPECT_EQ(GroupLook(form_), c.groupLook);
    EXPECT_EQ(LetterLooks(form_), c.letterLooks);
    EXPECT_EQ(form_.pnlPresets.visible, c.shown);
    EXPECT_EQ(form_.bttnPresets.look, c.shown ? ColorScheme::csNeoSun : ColorScheme::csNeoSilver);
    EXPECT_EQ(form_.windowHeight, c.height);
    EXPECT_TRUE(form_.presetPanelRestored);
    EXPECT_THAT(Wire(), ElementsAreArray(c.wire));
  }
}

TEST_F(PresetBankTest, RestoreWhoseSendFailsKeepsThePanelButNotTheTallerWindow) {
  WriteConfig("[PRESETS]\r\nSHOW=YES\r\nBANK=FACTORY\r\nNUMBER=2\r\nLETTER=B\r\n");
  platform_->FailNext("OutputLong", kMidiInvalidHandle);
  EXPECT_THROW(RestorePresetPanel(context_), MidiError);
  EXPECT_TRUE(form_.presetPanelRestored);
  EXPECT_EQ(form_.lblPresetBanque + " " + PresetKey(form_), "FACTORY 2B");
  EXPECT_TRUE(form_.pnlPresets.visible);
  EXPECT_EQ(form_.windowHeight, 431);
  EXPECT_THAT(Wire(), IsEmpty());
}

TEST_F(PresetBankTest, RestoreWithoutAPortShowsTheBoxForBothMessages) {
  WriteConfig("[PRESETS]\r\nSHOW=NO\r\nBANK=USER\r\nNUMBER=16\r\nLETTER=D\r\n");
  form_.cbOutputDevices.itemIndex = -1;
  RestorePresetPanel(context_);
  const std::string box = "box: " + std::string(kNoOutputPortText);
  EXPECT_THAT(Wire(), ElementsAre(box, box));
  EXPECT_EQ(PresetKey(form_), "16D");
  EXPECT_TRUE(form_.presetPanelRestored);
}

}  // namespace
}  // namespace velmora

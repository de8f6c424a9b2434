#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "SurfaceFixture.h"
#include "midi/Midi.h"
#include "profile/IntegerText.h"
#include "surface/editing/MidiSend.h"
#include "surface/editing/PresetBank.h"

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

// The display and the looks of the group and letter buttons: "USER 1A U Abcd".
std::string State(const FormModel& form) {
  return form.lblPresetBanque + " " + PresetKey(form) + " " + GroupLook(form) + " " +
         LetterLooks(form);
}

std::string PanelState(const FormModel& form) {
  return std::string(form.pnlPresets.visible ? "shown " : "hidden ") +
         (form.bttnPresets.look == ColorScheme::csNeoSun      ? "sun "
          : form.bttnPresets.look == ColorScheme::csNeoSilver ? "silver "
                                                              : "desert ") +
         std::to_string(form.windowHeight);
}

class PresetBankTest : public SurfaceTest {
 protected:
  void Display(const char* group, const char* number, const char* letter) {
    form_.lblPresetBanque = group;
    form_.lblPresetNumero = number;
    form_.lblPresetABCD = letter;
    for (GradientButton* button :
         {&form_.bttnPresetUser, &form_.bttnPresetFactory, &form_.bttnPresetA, &form_.bttnPresetB,
          &form_.bttnPresetC, &form_.bttnPresetD}) {
      button->look = ColorScheme::csNeoSilver;
    }
  }
};

struct PressCase {
  const char* group;
  const char* number;
  const char* letter;
  Press press;
  std::vector<std::string> wire;
  const char* after;  // State()
};

TEST_F(PresetBankTest, EachPressSendsTheGroupSwitchThenThePresetOfTheDisplay) {
  const std::vector<PressCase> cases = {
      {"FACTORY", "16", "D", bttnPresetPlusClick, {"C0 4E", "C0 7F"}, "FACTORY 16D - abcd"},
      {"USER", "1", "A", bttnPresetMoinsClick, {"C0 0E", "C0 00"}, "USER 1A - abcd"},
      {"USER", "4", "B", bttnPresetCClick, {"C0 0E", "C0 0E"}, "USER 4C - abCd"},
      {"USER", "7", "B", bttnPresetFactoryClick, {"C0 4E", "C0 59"}, "FACTORY 7B F abcd"},
      {"FACTORY", "3", "B", bttnPresetUserClick, {"C0 0E", "C0 09"}, "USER 3B U abcd"},
      {"USER", "12", ".", bttnPresetDClick, {"C0 0E", "C0 2F"}, "USER 12D - abcD"},
      {"FACTORY", "9", "C", bttnPresetAClick, {"C0 4E", "C0 60"}, "FACTORY 9A - Abcd"},
      {"USER", "9", "C", bttnPresetBClick, {"C0 0E", "C0 21"}, "USER 9B - aBcd"},
      {"USER", "15", "C", bttnPresetPlusClick, {"C0 0E", "C0 3E"}, "USER 16C - abcd"},
      {"FACTORY", "2", "A", bttnPresetMoinsClick, {"C0 4E", "C0 40"}, "FACTORY 1A - abcd"},
      // Hand-edited numbers beyond the banks: shown as they are, only the switch goes out,
      // and the steps walk back towards the banks one at a time.
      {"USER", "20", "A", bttnPresetPlusClick, {"C0 0E"}, "USER 20A - abcd"},
      {"USER", "20", "A", bttnPresetMoinsClick, {"C0 0E"}, "USER 19A - abcd"},
      {"USER", "17", "B", bttnPresetMoinsClick, {"C0 0E", "C0 3D"}, "USER 16B - abcd"},
      {"FACTORY", "0", "A", bttnPresetMoinsClick, {"C0 4E"}, "FACTORY 0A - abcd"},
      {"FACTORY", "0", "A", bttnPresetPlusClick, {"C0 4E", "C0 40"}, "FACTORY 1A - abcd"},
      {"USER", "-5", "D", bttnPresetPlusClick, {"C0 0E"}, "USER -4D - abcd"},
      {"USER", "05", "A", bttnPresetPlusClick, {"C0 0E", "C0 14"}, "USER 6A - abcd"},
      // The ends of int: no step may overflow.
      {"USER", "2147483647", "A", bttnPresetPlusClick, {"C0 0E"}, "USER 2147483647A - abcd"},
      {"USER", "-2147483648", "A", bttnPresetMoinsClick, {"C0 0E"}, "USER -2147483648A - abcd"},
      // No group shown: the captions change, nothing is sent.
      {"", "3", "A", bttnPresetCClick, {}, " 3C - abCd"},
      {"user", "3", "A", bttnPresetPlusClick, {}, "user 4A - abcd"},
  };
  for (const PressCase& c : cases) {
    SCOPED_TRACE(std::string(c.group) + " " + c.number + c.letter + " -> " + c.after);
    ClearWire();
    Display(c.group, c.number, c.letter);
    c.press(context_);
    EXPECT_THAT(Wire(), ElementsAreArray(c.wire));
    EXPECT_EQ(State(form_), c.after);
  }
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
  EXPECT_EQ(State(form_), "USER 5B - aBcd");
  EXPECT_THAT(platform_->Sent(), IsEmpty());
}

// The designed window is not tall enough for the panel although its look says shown, as
// after a start without SHOW: the first press must not cut the window below its designed
// height, and the second brings the panel into view. Then two presses restore the height.
TEST_F(PresetBankTest, ToggleHeightFollowsThePanelsLook) {
  std::vector<std::string> states;
  for (int press = 0; press < 4; ++press) {
    bttnPresetsClick(form_);
    states.push_back(PanelState(form_));
  }
  EXPECT_THAT(states, ElementsAre("hidden silver 431", "shown sun 521", "hidden silver 431",
                                  "shown sun 521"));
  form_.bttnPresets.look = ColorScheme::csNeoDesert;
  bttnPresetsClick(form_);
  EXPECT_EQ(PanelState(form_), "shown desert 521");
  EXPECT_THAT(Wire(), IsEmpty());
  EXPECT_FALSE(std::filesystem::exists(context_.folders.ConfigFile()));
}

struct RestoreCase {
  const char* config;  // nullptr: no config.ini at all
  const char* after;   // State() | PanelState()
  std::vector<std::string> wire;
};

TEST_F(PresetBankTest, RestoreSetsThePanelFromTheSettingsThenSendsItsPreset) {
  const std::vector<RestoreCase> cases = {
      {"[PRESETS]\r\nSHOW=YES\r\nBANK=USER\r\nNUMBER=1\r\nLETTER=A\r\n",
       "USER 1A U Abcd | shown sun 521",
       {"C0 0E", "C0 00"}},
      {"[PRESETS]\r\nSHOW=NO\r\nBANK=FACTORY\r\nLETTER=C\r\n",
       "FACTORY 1C F abCd | hidden silver 431",
       {"C0 4E", "C0 42"}},
      {"[PRESETS]\r\nSHOW=YES\r\nBANK=USER\r\nNUMBER=5\r\nLETTER=x\r\n",
       "USER 5. U abcd | shown sun 521",
       {"C0 0E"}},
      {"[PRESETS]\r\nNUMBER=3\r\nLETTER=B\r\n", " 3B - aBcd | shown sun 431", {}},
      {"[presets]\nbank=Factory\nnumber=12\nletter=D\nshow=yes\n",
       "Factory 12D - abcD | shown sun 431",
       {}},
      {"[PRESETS]\nSHOW=NO\nBANK=FACTORY\nNUMBER=20\nLETTER=D\n",
       "FACTORY 20D F abcD | hidden silver 431",
       {"C0 4E"}},
      {nullptr, " 1. - abcd | shown sun 431", {}},
  };
  for (const RestoreCase& c : cases) {
    SCOPED_TRACE(c.config != nullptr ? c.config : "no file");
    form_ = MakeStartupForm();
    form_.cbOutputDevices.items = GetMidiOutput().DeviceNames();
    form_.cbOutputDevices.itemIndex = 0;
    std::filesystem::remove(context_.folders.ConfigFile());
    if (c.config != nullptr) {
      WriteConfig(c.config);
    }
    ClearWire();
    RestorePresetPanel(context_);
    EXPECT_EQ(State(form_) + " | " + PanelState(form_), c.after);
    EXPECT_TRUE(form_.presetPanelRestored);
    EXPECT_THAT(Wire(), ElementsAreArray(c.wire));
  }
}

// The panel counts as restored before its preset goes out, so that neither failure makes
// the shutdown forget the stored settings; a device error ends the restore at that send.
TEST_F(PresetBankTest, RestoreWhoseSendFailsKeepsThePanelButNotTheTallerWindow) {
  WriteConfig("[PRESETS]\r\nSHOW=YES\r\nBANK=FACTORY\r\nNUMBER=16\r\nLETTER=D\r\n");
  form_.cbOutputDevices.itemIndex = -1;
  RestorePresetPanel(context_);
  const std::string box = "box: " + std::string(kNoOutputPortText);
  EXPECT_THAT(Wire(), ElementsAre(box, box));
  EXPECT_EQ(form_.windowHeight, 521);

  form_ = MakeStartupForm();
  form_.cbOutputDevices.items = GetMidiOutput().DeviceNames();
  form_.cbOutputDevices.itemIndex = 0;
  platform_->FailNext("OutputLong", kMidiInvalidHandle);
  EXPECT_THROW(RestorePresetPanel(context_), MidiError);
  EXPECT_TRUE(form_.presetPanelRestored);
  EXPECT_EQ(State(form_) + " | " + PanelState(form_), "FACTORY 16D F abcD | shown sun 431");
  EXPECT_THAT(platform_->Sent(), IsEmpty());
}

}  // namespace
}  // namespace velmora

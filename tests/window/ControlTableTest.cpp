#include "surface/form/ControlTable.h"

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "surface/form/CaptionTables.h"
#include "surface/form/FormModel.h"

namespace velmora {
namespace {

struct Placed {
  std::string_view name;
  std::string_view parent;
  Geometry geometry;
};

// The places the editor's players and its preset and settings files rely on.
TEST(ControlTable, MainWindowHasTheFixedGeometry) {
  const std::vector<Placed> fixed = {
      {"TForm1", "", {0, 0, 703, 431}},
      {"cbOutputDevices", "pnlMidi", {296, 4, 224, 21}},
      {"pnlVariax", "", {176, 63, 521, 97}},
      {"imgGuitares", "", {0, 5, 170, 369}},
      {"pnlPresets", "", {176, 432, 175, 85}},
      {"lbxInputDevices", "", {448, 448, 209, 65}},
      {"lbxOutputDevices", "", {664, 448, 252, 65}},
      {"memLog", "", {448, 528, 474, 70}},
      {"edtSysExData", "", {81, 548, 363, 21}},
      {"btnSendSysEx", "", {362, 576, 75, 25}},
  };
  for (const Placed& place : fixed) {
    const ControlEntry* control = FindControl(MainFormControls(), place.name);
    ASSERT_NE(control, nullptr) << place.name;
    EXPECT_EQ(control->parent, place.parent) << place.name;
    EXPECT_EQ(control->geometry, place.geometry) << place.name;
  }
  const Geometry midiOut = FindControl(MainFormControls(), "lblMidiOut")->geometry;
  EXPECT_EQ(std::tie(midiOut.left, midiOut.top), std::make_tuple(235, 7));

  for (std::string_view name :
       {"bttnPresetFactory", "bttnPresetUser", "bttnPresetPlus", "bttnPresetMoins", "bttnPresetA",
        "bttnPresetB", "bttnPresetC", "bttnPresetD"}) {
    const ControlEntry* control = FindControl(MainFormControls(), name);
    EXPECT_EQ(control->parent, "pnlPresets") << name;
    EXPECT_EQ(std::tie(control->geometry.width, control->geometry.height), std::make_tuple(41, 25));
  }
  const ControlEntry* display = FindControl(MainFormControls(), "Panel1");
  EXPECT_EQ(std::tie(display->geometry.width, display->geometry.height), std::make_tuple(84, 52));
  EXPECT_EQ(display->look, PanelLook::Olive);

  for (std::string_view name : {"pnlVariax", "pnlPresets", "pnlBoutons", "pnlMidi", "pnlEcranAMP1",
                                "pnlAmpCabAMP1", "pnlEcranAMP2", "pnlAmpCabAMP2", "pnlOptions"}) {
    EXPECT_EQ(FindControl(MainFormControls(), name)->geometry.left, kDesignPanelLeft) << name;
  }
  const Geometry selector = FindControl(MainFormControls(), "imgSelecteurMicros")->geometry;
  EXPECT_EQ(std::tie(selector.width, selector.height), std::make_tuple(114, 44));
  EXPECT_EQ(FindControl(MainFormControls(), "imgSelecteurMicros")->parent, "pnlSelecteur");
  int pickupTop = -1;
  for (std::string_view name : {"imgMicroManche", "imgMicroCentre", "imgMicroChevalet"}) {
    const ControlEntry* control = FindControl(MainFormControls(), name);
    EXPECT_EQ(control->parent, "Panel2");
    EXPECT_EQ(std::tie(control->geometry.width, control->geometry.height), std::make_tuple(25, 17));
    EXPECT_GT(control->geometry.top, pickupTop) << name << " is not below the one before";
    pickupTop = control->geometry.top;
  }
  std::vector<int> brandLefts;
  for (std::string_view name : {"lblGuitareMarque", "lblGuitareModele", "lblGuitareAnnee"}) {
    EXPECT_EQ(FindControl(MainFormControls(), name)->parent, "pnlMarqueGuitare");
    brandLefts.push_back(FindControl(MainFormControls(), name)->geometry.left);
  }
  EXPECT_EQ(brandLefts, (std::vector<int>{5, 88, 232}));
  EXPECT_EQ(FindControl(MainFormControls(), "cbGuitares")->geometry.width, 273);
  const Geometry bar = FindControl(MainFormControls(), "pbTraitementFichier")->geometry;
  EXPECT_EQ(std::tie(bar.left, bar.width, bar.height), std::make_tuple(0, 170, 17));
  EXPECT_GE(bar.top, 5 + 369) << "the bar lies below the guitar picture";

  for (std::string_view name : MonitorControlNames()) {
    EXPECT_FALSE(FindControl(MainFormControls(), name)->visible) << name;
  }
  FormModel form;
  EXPECT_EQ(MainClientSize(form, false), (ClientSize{703, 431}));
  EXPECT_EQ(MainClientSize(form, true), (ClientSize{930, 609}));
  form.windowHeight = 700;
  EXPECT_EQ(MainClientSize(form, true), (ClientSize{930, 700}));
}

TEST(ControlTable, AboutWindowHasTheFixedGeometry) {
  const std::vector<Placed> fixed = {
      {"TForm2", "", {0, 0, 257, 262}},
      {"pnlAPropos", "", {0, 0, 257, 262}},
      {"bttnAProposFermer", "pnlAPropos", {176, 230, 75, 25}},
  };
  for (const Placed& place : fixed) {
    const ControlEntry* control = FindControl(AboutFormControls(), place.name);
    ASSERT_NE(control, nullptr) << place.name;
    EXPECT_EQ(control->parent, place.parent) << place.name;
    EXPECT_EQ(control->geometry, place.geometry) << place.name;
  }
  const std::map<std::string_view, std::pair<int, int>> corners = {{"lblNomLogiciel", {8, 8}},
                                                                   {"lblVersionLogiciel", {112, 8}},
                                                                   {"lblMateriel", {8, 27}},
                                                                   {"lblSiteLine6", {8, 242}}};
  for (const auto& [name, corner] : corners) {
    const Geometry place = FindControl(AboutFormControls(), name)->geometry;
    EXPECT_EQ(std::make_pair(place.left, place.top), corner) << name;
  }
  EXPECT_EQ(FindControl(AboutFormControls(), "TForm2")->caption, "A propos...");
  EXPECT_EQ(FindControl(AboutFormControls(), "bttnAProposFermer")->caption, "Fermer");
  EXPECT_EQ(FindControl(AboutFormControls(), "lblSiteLine6")->style, TextStyle::Link);
  EXPECT_EQ(LookOfStyle(TextStyle::Heading).pixelSize, 16);
  EXPECT_TRUE(LookOfStyle(TextStyle::Heading).bold);
  EXPECT_EQ(LookOfStyle(TextStyle::Display).pixelSize, 29);
  EXPECT_EQ(LookOfStyle(TextStyle::Display).colour, kKnobYellow);
}

// Names are unique, parents come first, and every control lies inside its parent without
// covering a sibling: a typo in a place shows up here rather than as a clipped widget.
TEST(ControlTable, EveryControlIsNamedOnceAndFitsItsParent) {
  for (std::span<const ControlEntry> table : {MainFormControls(), AboutFormControls()}) {
    std::map<std::string_view, const ControlEntry*> seen;
    for (const ControlEntry& control : table) {
      EXPECT_TRUE(seen.emplace(control.name, &control).second) << control.name << " twice";
      if (control.parent.empty() || control.kind == ControlKind::PopupMenu) {
        continue;
      }
      ASSERT_TRUE(seen.contains(control.parent)) << control.name << " before " << control.parent;
      const Geometry& place = control.geometry;
      const Geometry& outer = seen[control.parent]->geometry;
      EXPECT_TRUE(place.left >= 0 && place.top >= 0 && place.left + place.width <= outer.width &&
                  place.top + place.height <= outer.height)
          << control.name << " sticks out of " << control.parent;
      for (const ControlEntry& other : table) {
        if (&other == &control || other.parent != control.parent || other.name >= control.name) {
          continue;
        }
        const Geometry& b = other.geometry;
        const bool apart = place.left + place.width <= b.left || b.left + b.width <= place.left ||
                           place.top + place.height <= b.top || b.top + b.height <= place.top;
        EXPECT_TRUE(apart) << control.name << " covers " << other.name;
      }
    }
  }
  // Everything the model, the handlers and the two caption tables name exists once.
  std::vector<std::string_view> named(BoundControlNames().begin(), BoundControlNames().end());
  for (const CaptionSet* set : {&Francais, &Anglais}) {
    for (const ControlCaption& entry : set->mainWindow) {
      named.push_back(entry.control);
    }
    for (const PlaceholderCaption& entry : set->placeholders) {
      named.push_back(entry.label);
      named.push_back(entry.selector);
    }
    EXPECT_NE(FindControl(AboutFormControls(), set->aboutLink.control), nullptr);
  }
  for (std::string_view name : named) {
    EXPECT_NE(FindControl(MainFormControls(), name), nullptr) << name;
  }
  for (std::string_view name : {"lblNomLogiciel", "lblVersionLogiciel", "lblMateriel",
                                "lblSiteLine6", "bttnAProposFermer"}) {
    AboutForm about;
    EXPECT_NE(BoundAboutCaption(about, name), nullptr) << name;
  }
}

// The table's design captions are the ones the form model starts with, and the static texts
// are the system's own.
TEST(ControlTable, DesignCaptionsAndStaticTexts) {
  FormModel form;
  for (const ControlEntry& control : MainFormControls()) {
    if (control.kind == ControlKind::Form) {
      continue;
    }
    if (const std::string* caption = BoundCaption(form, control.name)) {
      EXPECT_EQ(control.caption, *caption) << control.name;
    }
    if (const GradientButton* button = BoundButton(form, control.name)) {
      EXPECT_EQ(control.caption, button->caption) << control.name;
    }
  }
  auto captionsOf = [](std::string_view parent, ControlKind kind) {
    std::vector<std::string_view> captions;
    for (const ControlEntry& control : MainFormControls()) {
      if (control.parent == parent && control.kind == kind) {
        captions.push_back(control.caption);
      }
    }
    return captions;
  };
  using Texts = std::vector<std::string_view>;
  for (std::string_view screen : {"pnlEcranAMP1", "pnlEcranAMP2"}) {
    const Texts expected = {"A",
                            "M",
                            "P",
                            screen.substr(11),
                            kAmpPlaceholder,
                            kCabPlaceholder,
                            "DRV",
                            "BASS",
                            "MID",
                            "TREB",
                            "PRES",
                            "VOL",
                            "Sensibilité: x",
                            "..."};
    EXPECT_EQ(captionsOf(screen, ControlKind::Label), expected);
  }
  EXPECT_EQ(captionsOf("pnlAmpCabAMP1", ControlKind::Label), (Texts{"AMP:", "CAB:"}));
  EXPECT_EQ(captionsOf("pnlMidi", ControlKind::Label), (Texts{"Hardware:", "MIDI OUT:"}));
  EXPECT_EQ(captionsOf("pnlPresets", ControlKind::GradientButton),
            (Texts{"FACT", "USER", "+", "-", "A", "B", "C", "D"}));
  EXPECT_EQ(captionsOf("", ControlKind::Label), (Texts{"MIDI IN:", "MIDI OUT:", "Log:", "SysEx:"}));
  EXPECT_EQ(FindControl(MainFormControls(), "btnSendSysEx")->caption, "Send");
  for (Knob knob : kAllKnobs) {
    const ControlEntry* control =
        FindControl(MainFormControls(), "knob" + std::string(KnobName(knob)));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->kind, ControlKind::Knob);
    EXPECT_EQ(control->parent,
              KnobChannel(knob) == Channel::Amp1 ? "pnlEcranAMP1" : "pnlEcranAMP2");
    EXPECT_EQ(std::tie(control->geometry.width, control->geometry.height), std::make_tuple(25, 25));
  }
  int clickable = 0;
  for (const ControlEntry& control : MainFormControls()) {
    clickable += ClickHandler(control.name) != nullptr ? 1 : 0;
    EXPECT_EQ(PickHandler(control.name) != nullptr,
              control.kind == ControlKind::ComboBox && control.name != "cbMateriel")
        << control.name;
  }
  EXPECT_EQ(clickable, 18);
}

// The three button looks must be told apart at a glance: they are the only record of
// on and off, selected and not, shown and hidden.
TEST(ControlTable, ButtonLooksAreClearlyDifferent) {
  const GradientLook looks[] = {LookOfScheme(ColorScheme::csNeoDesert),
                                LookOfScheme(ColorScheme::csNeoSilver),
                                LookOfScheme(ColorScheme::csNeoSun)};
  auto distance = [](Rgb a, Rgb b) {
    return std::abs(a.red - b.red) + std::abs(a.green - b.green) + std::abs(a.blue - b.blue);
  };
  for (int i = 0; i < 3; ++i) {
    for (int j = i + 1; j < 3; ++j) {
      EXPECT_GT(distance(looks[i].first, looks[j].first) + distance(looks[i].last, looks[j].last),
                120)
          << i << " and " << j;
    }
  }
}

}  // namespace
}  // namespace velmora

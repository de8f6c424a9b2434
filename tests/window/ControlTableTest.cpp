#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "surface/form/FittedText.h"
#include "surface/form/Form.h"
#include "surface/form/FormModel.h"
#include "surface/form/LabelInFront.h"
#include "surface/form/Looks.h"
#include "surface/forms/AboutForm.h"
#include "surface/forms/LibraryForm.h"
#include "surface/forms/MainForm.h"

namespace velmora {
namespace {

// The field a control of the form shows, monostate for none.
ModelField FieldOf(const Form& form, FormModel& model, std::string_view name) {
  const Binding* binding = FindBinding(form, name);
  return binding != nullptr ? BoundField(*binding, model) : ModelField{};
}

template <typename Field>
Field* BoundTo(const Form& form, FormModel& model, std::string_view name) {
  const ModelField field = FieldOf(form, model, name);
  Field* const* bound = std::get_if<Field*>(&field);
  return bound != nullptr ? *bound : nullptr;
}

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
    const ControlEntry* control = FindControl(MainFormRows(), place.name);
    ASSERT_NE(control, nullptr) << place.name;
    EXPECT_EQ(control->parent, place.parent) << place.name;
    EXPECT_EQ(control->geometry, place.geometry) << place.name;
  }
  const Geometry midiOut = FindControl(MainFormRows(), "lblMidiOut")->geometry;
  EXPECT_EQ(std::tie(midiOut.left, midiOut.top), std::make_tuple(235, 7));

  for (std::string_view name :
       {"bttnPresetFactory", "bttnPresetUser", "bttnPresetPlus", "bttnPresetMoins", "bttnPresetA",
        "bttnPresetB", "bttnPresetC", "bttnPresetD"}) {
    const ControlEntry* control = FindControl(MainFormRows(), name);
    EXPECT_EQ(control->parent, "pnlPresets") << name;
    EXPECT_EQ(std::tie(control->geometry.width, control->geometry.height), std::make_tuple(41, 25));
  }
  const ControlEntry* display = FindControl(MainFormRows(), "Panel1");
  EXPECT_EQ(std::tie(display->geometry.width, display->geometry.height), std::make_tuple(84, 52));
  EXPECT_EQ(display->look, PanelLook::Olive);

  for (std::string_view name : {"pnlVariax", "pnlPresets", "pnlBoutons", "pnlMidi", "pnlEcranAMP1",
                                "pnlAmpCabAMP1", "pnlEcranAMP2", "pnlAmpCabAMP2", "pnlOptions"}) {
    EXPECT_EQ(FindControl(MainFormRows(), name)->geometry.left, kDesignPanelLeft) << name;
  }
  const Geometry selector = FindControl(MainFormRows(), "imgSelecteurMicros")->geometry;
  EXPECT_EQ(std::tie(selector.width, selector.height), std::make_tuple(114, 44));
  EXPECT_EQ(FindControl(MainFormRows(), "imgSelecteurMicros")->parent, "pnlSelecteur");
  int pickupTop = -1;
  for (std::string_view name : {"imgMicroManche", "imgMicroCentre", "imgMicroChevalet"}) {
    const ControlEntry* control = FindControl(MainFormRows(), name);
    EXPECT_EQ(control->parent, "Panel2");
    EXPECT_EQ(std::tie(control->geometry.width, control->geometry.height), std::make_tuple(25, 17));
    EXPECT_GT(control->geometry.top, pickupTop) << name << " is not below the one before";
    pickupTop = control->geometry.top;
  }
  std::vector<int> brandLefts;
  for (std::string_view name : {"lblGuitareMarque", "lblGuitareModele", "lblGuitareAnnee"}) {
    EXPECT_EQ(FindControl(MainFormRows(), name)->parent, "pnlMarqueGuitare");
    brandLefts.push_back(FindControl(MainFormRows(), name)->geometry.left);
  }
  EXPECT_EQ(brandLefts, (std::vector<int>{5, 88, 232}));
  EXPECT_EQ(FindControl(MainFormRows(), "cbGuitares")->geometry.width, 273);
  const Geometry bar = FindControl(MainFormRows(), "pbTraitementFichier")->geometry;
  EXPECT_EQ(std::tie(bar.left, bar.width, bar.height), std::make_tuple(0, 170, 17));
  EXPECT_GE(bar.top, 5 + 369) << "the bar lies below the guitar picture";

  for (std::string_view name : MonitorControlNames()) {
    EXPECT_FALSE(FindControl(MainFormRows(), name)->visible) << name;
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
    const ControlEntry* control = FindControl(AboutWindowForm().rows, place.name);
    ASSERT_NE(control, nullptr) << place.name;
    EXPECT_EQ(control->parent, place.parent) << place.name;
    EXPECT_EQ(control->geometry, place.geometry) << place.name;
  }
  const std::map<std::string_view, std::pair<int, int>> corners = {{"lblNomLogiciel", {8, 8}},
                                                                   {"lblVersionLogiciel", {112, 8}},
                                                                   {"lblMateriel", {8, 27}},
                                                                   {"lblSiteLine6", {8, 242}}};
  for (const auto& [name, corner] : corners) {
    const Geometry place = FindControl(AboutWindowForm().rows, name)->geometry;
    EXPECT_EQ(std::make_pair(place.left, place.top), corner) << name;
  }
  EXPECT_EQ(FindControl(AboutWindowForm().rows, "TForm2")->caption, "A propos...");
  EXPECT_EQ(FindControl(AboutWindowForm().rows, "bttnAProposFermer")->caption, "Fermer");
  EXPECT_EQ(FindControl(AboutWindowForm().rows, "lblSiteLine6")->style, TextStyle::Link);
  EXPECT_EQ(LookOfStyle(TextStyle::Heading).pixelSize, 16);
  EXPECT_TRUE(LookOfStyle(TextStyle::Heading).bold);
  EXPECT_EQ(LookOfStyle(TextStyle::Display).pixelSize, 29);
  EXPECT_EQ(LookOfStyle(TextStyle::Display).colour, kKnobYellow);
}

// Names are unique, parents come first, and every control lies inside its parent without
// covering a sibling: a typo in a place shows up here rather than as a clipped widget.
TEST(ControlTable, EveryControlIsNamedOnceAndFitsItsParent) {
  for (const Form* form : AllForms()) {
    const std::span<const ControlEntry> table = form->rows;
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
  // Everything the model, the handlers and the two languages' captions name exists once.
  std::vector<std::string_view> named;
  for (const Binding& binding : MainWindowForm().bindings) {
    named.push_back(binding.control);
  }
  for (const Caption& entry : MainWindowForm().captions) {
    // A context menu's entry is no row: its menu's control is, and its keys a shortcut.
    if (const ContextMenuEntry* item = FindContextMenuEntry(MainWindowForm(), entry.control)) {
      EXPECT_NE(FindShortcut(MainWindowForm(), item->keys), nullptr) << item->keys;
      continue;
    }
    named.push_back(entry.control);
    if (!entry.whileEmpty.empty()) {
      named.push_back(entry.whileEmpty);
    }
  }
  for (const Caption& entry : AboutWindowForm().captions) {
    EXPECT_NE(FindControl(AboutWindowForm().rows, entry.control), nullptr);
  }
  for (const ContextMenu& menu : MainWindowForm().contextMenus) {
    named.push_back(menu.control);
  }
  for (std::string_view name : named) {
    EXPECT_NE(FindControl(MainFormRows(), name), nullptr) << name;
  }
  for (std::string_view name : {"lblNomLogiciel", "lblVersionLogiciel", "lblMateriel",
                                "lblSiteLine6", "bttnAProposFermer"}) {
    FormModel model;
    EXPECT_NE(BoundTo<std::string>(AboutWindowForm(), model, name), nullptr) << name;
  }
}

// The table's design captions are the ones the form model starts with, and the static texts
// are the system's own.
TEST(ControlTable, DesignCaptionsAndStaticTexts) {
  FormModel form;
  for (const ControlEntry& control : MainFormRows()) {
    if (control.kind == ControlKind::Form) {
      continue;
    }
    if (const std::string* caption = BoundTo<std::string>(MainWindowForm(), form, control.name)) {
      EXPECT_EQ(control.caption, *caption) << control.name;
    }
    if (const GradientButton* button =
            BoundTo<GradientButton>(MainWindowForm(), form, control.name)) {
      EXPECT_EQ(control.caption, button->caption) << control.name;
    }
  }
  auto captionsOf = [](std::string_view parent, ControlKind kind) {
    std::vector<std::string_view> captions;
    for (const ControlEntry& control : MainFormRows()) {
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
  EXPECT_EQ(FindControl(MainFormRows(), "btnSendSysEx")->caption, "Send");
  for (Knob knob : kAllKnobs) {
    const ControlEntry* control = FindControl(MainFormRows(), "knob" + std::string(KnobName(knob)));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->kind, ControlKind::Knob);
    EXPECT_EQ(control->parent,
              KnobChannel(knob) == Channel::Amp1 ? "pnlEcranAMP1" : "pnlEcranAMP2");
    EXPECT_EQ(std::tie(control->geometry.width, control->geometry.height), std::make_tuple(25, 25));
  }
  int clickable = 0;
  for (const ControlEntry& control : MainFormRows()) {
    const Binding* binding = FindBinding(MainWindowForm(), control.name);
    const bool runs = binding != nullptr && binding->Runs();
    clickable += control.kind == ControlKind::GradientButton && runs ? 1 : 0;
    EXPECT_EQ(control.kind == ControlKind::ComboBox && runs,
              control.kind == ControlKind::ComboBox && control.name != "cbMateriel")
        << control.name;
  }
  EXPECT_EQ(clickable, 18);
}

// A form's parts name its controls by string, so a misspelt or forgotten name would only
// show as a control that silently does nothing: every name must be a row of its own form,
// of the kind the part needs, and no control may be bound twice.
TEST(Forms, EveryNameAFormUsesIsARowOfTheRightKind) {
  std::map<std::string_view, const Form*> ids;
  for (const Form* form : AllForms()) {
    EXPECT_TRUE(ids.emplace(form->id, form).second) << form->id << " registered twice";
    EXPECT_EQ(&FindForm(form->id), form);
    ASSERT_EQ(form->rows.front().name, form->id);
    auto kindOf = [form](std::string_view name) {
      const ControlEntry* row = FindControl(form->rows, name);
      return row != nullptr ? std::optional(row->kind) : std::nullopt;
    };
    std::map<std::string_view, int> bound;
    FormModel model;
    for (const Binding& binding : form->bindings) {
      EXPECT_TRUE(kindOf(binding.control)) << form->id << ": no row " << binding.control;
      EXPECT_EQ(++bound[binding.control], 1) << form->id << ": " << binding.control << " twice";
      if (!binding.opens.empty()) {
        const Binding* menu = FindBinding(*form, binding.opens);
        EXPECT_EQ(kindOf(binding.opens), ControlKind::PopupMenu) << binding.control;
        EXPECT_TRUE(menu != nullptr && menu->Runs() && !menu->menu.empty()) << binding.opens;
      }
      const ModelField field = BoundField(binding, model);
      if (std::holds_alternative<ComboBox*>(field) ||
          std::holds_alternative<CheckListBox*>(field)) {
        EXPECT_EQ(kindOf(binding.control), std::holds_alternative<ComboBox*>(field)
                                               ? ControlKind::ComboBox
                                               : ControlKind::CheckList)
            << binding.control;
      }
    }
    for (const Caption& caption : form->captions) {
      EXPECT_NO_THROW(CaptionField(*form, model, caption.control)) << caption.control;
      if (!caption.whileEmpty.empty()) {
        EXPECT_NE(BoundTo<ComboBox>(*form, model, caption.whileEmpty), nullptr)
            << caption.whileEmpty;
      }
    }
    for (std::string_view name : form->tabOrder) {
      EXPECT_TRUE(kindOf(name)) << form->id << ": no row " << name;
    }
    for (const BuiltinPictureRow& picture : form->pictures) {
      EXPECT_EQ(kindOf(picture.control), ControlKind::Picture) << picture.control;
    }
  }
  EXPECT_EQ(AllForms().front(), &MainWindowForm());
  EXPECT_THROW(FindForm("TForm9"), std::out_of_range);
  FormModel model;
  EXPECT_THROW(CaptionField(MainWindowForm(), model, "knobVOL1"), std::logic_error);
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

namespace velmora {
namespace {

// What a screen reader calls each captionless control that takes the focus.
TEST(ControlTable, LabelsInFrontOfTheFocusableControls) {
  std::map<std::string_view, std::string_view> found;
  for (const ControlEntry& control : MainFormRows()) {
    if (NamedByLabelInFront(control)) {
      found[control.name] = LabelInFront(MainFormRows(), control);
    }
  }
  const std::map<std::string_view, std::string_view> expected = {
      {"cbMateriel", "lblMateriel"},
      {"cbOutputDevices", "lblMidiOut"},
      {"cbGuitares", "lblModelesGuitares"},
      {"cbAmpli1", "lblAmp1"},
      {"cbEnceintes1", "lblCab1"},
      {"cbAmpli2", "lblAmp2"},
      {"cbEnceintes2", "lblCab2"},
      {"knobDRIVE1", "lblKnobDRIVE1"},
      {"knobBASS1", "lblKnobBASS1"},
      {"knobMID1", "lblKnobMID1"},
      {"knobTREB1", "lblKnobTREB1"},
      {"knobPRES1", "lblKnobPRES1"},
      {"knobVOL1", "lblKnobVOL1"},
      {"knobDRIVE2", "lblKnobDRIVE2"},
      {"knobBASS2", "lblKnobBASS2"},
      {"knobMID2", "lblKnobMID2"},
      {"knobTREB2", "lblKnobTREB2"},
      {"knobPRES2", "lblKnobPRES2"},
      {"knobVOL2", "lblKnobVOL2"},
      {"lblSensibiliteKnobsAMP1", "lblSensibilite1"},
      {"lblSensibiliteKnobsAMP2", "lblSensibilite2"},
      {"lbxInputDevices", "lblMonitorIn"},
      {"lbxOutputDevices", "lblMonitorOut"},
      {"memLog", "lblMonitorLog"},
      {"edtSysExData", "lblMonitorSysEx"},
  };
  EXPECT_EQ(found, expected);
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

// Tab reaches every control that takes input, once, in both shells alike.
TEST(ControlTable, TabOrderHoldsEveryInputControlOnce) {
  for (const Form* form : AllForms()) {
    std::map<std::string_view, int> visits;
    for (std::string_view name : form->tabOrder) {
      ++visits[name];
    }
    for (const ControlEntry& control : form->rows) {
      switch (control.kind) {
        case ControlKind::GradientButton:
        case ControlKind::Button:
        case ControlKind::ComboBox:
        case ControlKind::CheckList:
        case ControlKind::Memo:
        case ControlKind::Edit:
        case ControlKind::Knob:
        case ControlKind::Table:
          EXPECT_EQ(visits[control.name], 1) << form->id << ": " << control.name;
          break;
        default:
          EXPECT_LE(visits[control.name], 1) << form->id << ": " << control.name;
          break;
      }
    }
  }
}

// A long name on the stage: two lines at 64 px, then smaller, then cut at 48 px. Each byte
// half the size wide, lines an eighth apart: two of 64 take 144 of 150.
TEST(FittedText, WrapsThenShrinksThenCuts) {
  const TextMeasure measure{
      .width = [](std::string_view text, int size) { return int(text.size()) * size / 2; },
      .lineHeight = [](int size) { return size + size / 8; },
  };
  const std::string song = "Stairway to Heaven Live at Earls Court";
  const std::pair<std::string, FittedText> kCases[] = {
      {song, {64, {"Stairway to Heaven Live at", "Earls Court"}}},
      {song + ", the second encore, in full",
       {52, {"Stairway to Heaven Live at Earls", "Court, the second encore, in full"}}},
      {song + ", the second encore, in full, 1975",
       {48, {"Stairway to Heaven Live at Earls", "Court, the second encore, in ful…"}}},
      {"Bühnennamen_ohne_Leerzeichen_fürs_Stück", {48, {"Bühnennamen_ohne_Leerzeichen_f…"}}},
  };
  for (const auto& [text, expected] : kCases) {
    const FittedText fitted = FitText(text, 860, 150, 64, 48, measure);
    EXPECT_EQ(fitted.pixelSize, expected.pixelSize) << text;
    EXPECT_EQ(fitted.lines, expected.lines) << text;
  }
}

}  // namespace
}  // namespace velmora

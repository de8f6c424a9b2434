#include "surface/form/ControlTable.h"

#include <algorithm>
#include <array>
#include <vector>

#include "surface/editing/AmpChannel.h"
#include "surface/editing/GuitarPanel.h"
#include "surface/editing/Knobs.h"
#include "surface/editing/Languages.h"
#include "surface/editing/PortSelector.h"
#include "surface/editing/PresetBank.h"
#include "surface/editing/Synchronise.h"
#include "surface/files/PresetFileCommands.h"
#include "surface/shell/MainWindowLife.h"

namespace velmora {

namespace {

using K = ControlKind;
using S = TextStyle;
using L = PanelLook;

constexpr ControlEntry Form(std::string_view name, int width, int height, std::string_view caption,
                            PanelLook look) {
  return {name, K::Form, {}, {0, 0, width, height}, caption, S::Normal, look, true};
}
constexpr ControlEntry Pane(std::string_view name, K kind, std::string_view parent, Geometry place,
                            PanelLook look, bool visible = true) {
  return {name, kind, parent, place, {}, S::Normal, look, visible};
}
constexpr ControlEntry Text(std::string_view name, std::string_view parent, Geometry place,
                            std::string_view caption, TextStyle style, bool visible = true) {
  return {name, K::Label, parent, place, caption, style, L::None, visible};
}
constexpr ControlEntry Button(std::string_view name, std::string_view parent, Geometry place,
                              std::string_view caption) {
  return {name, K::GradientButton, parent, place, caption, S::ButtonText, L::None, true};
}
constexpr ControlEntry Control(std::string_view name, K kind, std::string_view parent,
                               Geometry place, bool visible = true) {
  return {name, kind, parent, place, {}, S::Normal, L::None, visible};
}

// The button row: eight gradient buttons across the 521 pixels of the right column, each
// as wide as its longer caption needs.
constexpr int kRowTop = 2;
constexpr int kRowHeight = 23;

// A channel screen: the "A M P n" strip, the amp and cab names, then the six knobs with
// their captions and the sensitivity on the third line.
constexpr int kKnobLineTop = 47;
constexpr int kKnobCaptionWidth = 34;
constexpr int kKnobPairWidth = 61;
constexpr int kKnobFirstLeft = 26;

#define VELMORA_KNOB(channel, knob, caption, index)                                            \
  Text("lblKnob" #knob #channel, "pnlEcranAMP" #channel,                                       \
       {kKnobFirstLeft + (index)*kKnobPairWidth, kKnobLineTop + 6, kKnobCaptionWidth - 3, 14}, \
       caption, S::KnobCaption),                                                               \
      Control("knob" #knob #channel, K::Knob, "pnlEcranAMP" #channel,                          \
              {kKnobFirstLeft + (index)*kKnobPairWidth + kKnobCaptionWidth, kKnobLineTop, 25, 25})

#define VELMORA_CHANNEL(n, screenTop, stripTop)                                                    \
  Pane("pnlEcranAMP" #n, K::Panel, {}, {176, screenTop, 521, 76}, L::Olive),                       \
      Text("lblStripA" #n, "pnlEcranAMP" #n, {3, 3, 16, 17}, "A", S::Strip),                       \
      Text("lblStripM" #n, "pnlEcranAMP" #n, {3, 21, 16, 17}, "M", S::Strip),                      \
      Text("lblStripP" #n, "pnlEcranAMP" #n, {3, 39, 16, 17}, "P", S::Strip),                      \
      Text("lblStripNumber" #n, "pnlEcranAMP" #n, {3, 57, 16, 17}, #n, S::Strip),                  \
      Text("lblAmpliAMP" #n, "pnlEcranAMP" #n, {28, 4, 488, 20}, kAmpPlaceholder, S::ScreenLarge), \
      Text("lblEnceinteAMP" #n, "pnlEcranAMP" #n, {28, 26, 488, 17}, kCabPlaceholder, S::Screen),  \
      VELMORA_KNOB(n, DRIVE, "DRV", 0), VELMORA_KNOB(n, BASS, "BASS", 1),                          \
      VELMORA_KNOB(n, MID, "MID", 2), VELMORA_KNOB(n, TREB, "TREB", 3),                            \
      VELMORA_KNOB(n, PRES, "PRES", 4), VELMORA_KNOB(n, VOL, "VOL", 5),                            \
      Text("lblSensibilite" #n, "pnlEcranAMP" #n, {394, kKnobLineTop + 6, 100, 14},                \
           "Sensibilité: x", S::ScreenRight),                                                      \
      Text("lblSensibiliteKnobsAMP" #n, "pnlEcranAMP" #n, {497, kKnobLineTop + 6, 22, 14},         \
           kEmptyCaption, S::Screen),                                                              \
      Pane("pnlAmpCabAMP" #n, K::GradientPanel, {}, {176, stripTop, 521, 27}, L::Dark),            \
      Button("bttnOnOffAMP" #n, "pnlAmpCabAMP" #n, {3, 2, 48, 23}, kPowerOff),                     \
      Text("lblAmp" #n, "pnlAmpCabAMP" #n, {60, 7, 34, 14}, "AMP:", S::Bold),                      \
      Control("cbAmpli" #n, K::ComboBox, "pnlAmpCabAMP" #n, {96, 3, 180, 21}),                     \
      Text("lblCab" #n, "pnlAmpCabAMP" #n, {286, 7, 34, 14}, "CAB:", S::Bold),                     \
      Control("cbEnceintes" #n, K::ComboBox, "pnlAmpCabAMP" #n, {322, 3, 196, 21})

constexpr ControlEntry kMainForm[] = {
    Form(kMainFormName, kDesignWindowWidth, kDesignWindowHeight, {}, L::Black),
    Control("imgGuitares", K::Picture, {}, {0, 5, 170, 369}),
    Control("pbTraitementFichier", K::ProgressBar, {}, {0, 410, 170, 17}),

    Pane("pnlBoutons", K::GradientPanel, {}, {176, 5, 521, 27}, L::Dark),
    Button("bttnNouveau", "pnlBoutons", {2, kRowTop, 56, kRowHeight}, "Nouveau"),
    Button("bttnOuvrir", "pnlBoutons", {61, kRowTop, 50, kRowHeight}, "Ouvrir"),
    Button("bttnEnregistrer", "pnlBoutons", {114, kRowTop, 74, kRowHeight}, "Enregistrer"),
    Button("bttnSynchro", "pnlBoutons", {191, kRowTop, 84, kRowHeight}, "Synchroniser"),
    Button("bttnGuitares", "pnlBoutons", {278, kRowTop, 52, kRowHeight}, "Guitare"),
    Button("bttnPresets", "pnlBoutons", {333, kRowTop, 52, kRowHeight}, "Presets"),
    Button("bttnTraduire", "pnlBoutons", {388, kRowTop, 60, kRowHeight}, "Translate"),
    Button("bttnAPropos", "pnlBoutons", {451, kRowTop, 68, kRowHeight}, "A propos..."),

    Pane("pnlMidi", K::GradientPanel, {}, {176, 34, 521, 27}, L::Dark),
    Text("lblMateriel", "pnlMidi", {6, 7, 64, 14}, "Hardware:", S::Bold),
    Control("cbMateriel", K::ComboBox, "pnlMidi", {72, 4, 150, 21}),
    Text("lblMidiOut", "pnlMidi", {235, 7, 60, 14}, "MIDI OUT:", S::Bold),
    Control("cbOutputDevices", K::ComboBox, "pnlMidi", {296, 4, 224, 21}),

    Pane("pnlVariax", K::GradientPanel, {}, {176, 63, 521, 97}, L::Dark),
    Text("lblModelesGuitares", "pnlVariax", {8, 4, 200, 15}, "Modèles de guitares:", S::Bold),
    Control("cbGuitares", K::ComboBox, "pnlVariax", {8, 21, 273, 21}),
    Pane("pnlMarqueGuitare", K::Panel, "pnlVariax", {8, 46, 273, 20}, L::Olive),
    Text("lblGuitareMarque", "pnlMarqueGuitare", {5, 3, 80, 14}, kEmptyCaption, S::Screen),
    Text("lblGuitareModele", "pnlMarqueGuitare", {88, 3, 142, 14}, kEmptyCaption, S::Screen),
    Text("lblGuitareAnnee", "pnlMarqueGuitare", {232, 3, 38, 14}, kEmptyCaption, S::Screen),
    Pane("pnlVariaxBanque", K::Panel, "pnlVariax", {8, 70, 273, 22}, L::Olive),
    Text("lblVariaxBanque", "pnlVariaxBanque", {0, 3, 273, 16}, kEmptyCaption, S::DisplayBank),
    Pane("pnlSelecteur", K::Panel, "pnlVariax", {322, 6, 118, 48}, L::Sunken),
    Control("imgSelecteurMicros", K::Picture, "pnlSelecteur", {2, 2, 114, 44}),
    Pane("Panel2", K::Panel, "pnlVariax", {452, 6, 33, 63}, L::Black),
    Control("imgMicroManche", K::Picture, "Panel2", {4, 4, 25, 17}),
    Control("imgMicroCentre", K::Picture, "Panel2", {4, 23, 25, 17}),
    Control("imgMicroChevalet", K::Picture, "Panel2", {4, 42, 25, 17}),
    Control("imgVariaxLogo", K::Picture, "pnlVariax", {292, 72, 224, 21}),

    VELMORA_CHANNEL(1, 163, 241),
    VELMORA_CHANNEL(2, 270, 348),

    Pane("pnlOptions", K::GradientPanel, {}, {176, 377, 521, 50}, L::Dark),
    Text("lblPlaqueNom", "pnlOptions", {12, 8, 240, 34}, ProgramName, S::Nameplate),
    Text("lblPlaqueMateriel", "pnlOptions", {262, 17, 248, 16}, HardwareName, S::Grey),

    Pane("pnlPresets", K::GradientPanel, {}, {176, 432, 175, 85}, L::Dark),
    Button("bttnPresetFactory", "pnlPresets", {2, 2, 41, 25}, "FACT"),
    Button("bttnPresetUser", "pnlPresets", {2, 29, 41, 25}, "USER"),
    Button("bttnPresetPlus", "pnlPresets", {132, 2, 41, 25}, "+"),
    Button("bttnPresetMoins", "pnlPresets", {132, 29, 41, 25}, "-"),
    Button("bttnPresetA", "pnlPresets", {2, 58, 41, 25}, "A"),
    Button("bttnPresetB", "pnlPresets", {46, 58, 41, 25}, "B"),
    Button("bttnPresetC", "pnlPresets", {89, 58, 41, 25}, "C"),
    Button("bttnPresetD", "pnlPresets", {132, 58, 41, 25}, "D"),
    Pane("Panel1", K::Panel, "pnlPresets", {45, 2, 84, 52}, L::Olive),
    Text("lblPresetBanque", "Panel1", {0, 2, 84, 14}, "FACTORY", S::DisplayBank),
    Text("lblPresetNumero", "Panel1", {2, 16, 48, 34}, ".", S::Display),
    Text("lblPresetABCD", "Panel1", {50, 16, 32, 34}, ".", S::Display),

    // The monitor: hidden, below and beyond the designed client area.
    Text("lblMonitorIn", {}, {448, 432, 120, 14}, "MIDI IN:", S::Grey, false),
    Control("lbxInputDevices", K::CheckList, {}, {448, 448, 209, 65}, false),
    Text("lblMonitorOut", {}, {664, 432, 120, 14}, "MIDI OUT:", S::Grey, false),
    Control("lbxOutputDevices", K::CheckList, {}, {664, 448, 252, 65}, false),
    Text("lblMonitorLog", {}, {448, 514, 120, 14}, "Log:", S::Grey, false),
    Control("memLog", K::Memo, {}, {448, 528, 474, 70}, false),
    Text("lblMonitorSysEx", {}, {81, 532, 120, 14}, "SysEx:", S::Grey, false),
    Control("edtSysExData", K::Edit, {}, {81, 548, 363, 21}, false),
    {"btnSendSysEx", K::Button, {}, {362, 576, 75, 25}, "Send", S::Normal, L::None, false},

    {"pmKnobs", K::PopupMenu, {}, {}, {}, S::Normal, L::None, false},
};

#undef VELMORA_CHANNEL
#undef VELMORA_KNOB

constexpr ControlEntry kAboutForm[] = {
    Form(kAboutFormName, 257, 262, "A propos...", L::Light),
    Pane("pnlAPropos", K::GradientPanel, {}, {0, 0, 257, 262}, L::Light),
    Text("lblNomLogiciel", "pnlAPropos", {8, 8, 100, 19}, kEmptyCaption, S::Heading),
    Text("lblVersionLogiciel", "pnlAPropos", {112, 8, 100, 19}, kEmptyCaption, S::Heading),
    Text("lblMateriel", "pnlAPropos", {8, 27, 241, 16}, kEmptyCaption, S::AboutText),
    Control("imgAProposLogo", K::Picture, "pnlAPropos", {8, 64, 241, 150}),
    Text("lblSiteLine6", "pnlAPropos", {8, 242, 160, 16}, "Site officiel de Line 6", S::Link),
    Button("bttnAProposFermer", "pnlAPropos", {176, 230, 75, 25}, "Fermer"),
};

constexpr std::array<std::string_view, 9> kMonitorControls = {
    "lblMonitorIn", "lbxInputDevices", "lblMonitorOut", "lbxOutputDevices", "lblMonitorLog",
    "memLog",       "lblMonitorSysEx", "edtSysExData",  "btnSendSysEx"};
// Room left around the monitor's controls when it is shown.
constexpr int kMonitorMargin = 8;

template <typename Field, typename Owner>
struct Binding {
  std::string_view name;
  Field Owner::*member;
};

template <typename Field, typename Owner, std::size_t N>
Field* Find(const std::array<Binding<Field, Owner>, N>& bindings, Owner& owner,
            std::string_view name) {
  for (const auto& binding : bindings) {
    if (binding.name == name) {
      return &(owner.*binding.member);
    }
  }
  return nullptr;
}

using F = FormModel;
constexpr std::array<Binding<std::string, F>, 20> kCaptions = {{
    {"lblPresetBanque", &F::lblPresetBanque},
    {"lblPresetNumero", &F::lblPresetNumero},
    {"lblPresetABCD", &F::lblPresetABCD},
    {"lblMateriel", &F::lblMateriel},
    {"lblMidiOut", &F::lblMidiOut},
    {"lblModelesGuitares", &F::lblModelesGuitares},
    {"lblSensibilite1", &F::lblSensibilite1},
    {"lblSensibilite2", &F::lblSensibilite2},
    {"edtSysExData", &F::edtSysExData},
    {"lblAmpliAMP1", &F::lblAmpliAMP1},
    {"lblEnceinteAMP1", &F::lblEnceinteAMP1},
    {"lblAmpliAMP2", &F::lblAmpliAMP2},
    {"lblEnceinteAMP2", &F::lblEnceinteAMP2},
    {"lblVariaxBanque", &F::lblVariaxBanque},
    {"lblGuitareMarque", &F::lblGuitareMarque},
    {"lblGuitareModele", &F::lblGuitareModele},
    {"lblGuitareAnnee", &F::lblGuitareAnnee},
    {"lblSensibiliteKnobsAMP1", &F::lblSensibiliteKnobsAMP1},
    {"lblSensibiliteKnobsAMP2", &F::lblSensibiliteKnobsAMP2},
    {kMainFormName, &F::caption},
}};

constexpr std::array<Binding<std::string, AboutForm>, 6> kAboutCaptions = {{
    {kAboutFormName, &AboutForm::title},
    {"lblNomLogiciel", &AboutForm::lblNomLogiciel},
    {"lblVersionLogiciel", &AboutForm::lblVersionLogiciel},
    {"lblMateriel", &AboutForm::lblMateriel},
    {"lblSiteLine6", &AboutForm::lblSiteLine6},
    {"bttnAProposFermer", &AboutForm::bttnAProposFermer},
}};

constexpr std::array<Binding<GradientButton, F>, 18> kButtons = {{
    {"bttnOnOffAMP1", &F::bttnOnOffAMP1},
    {"bttnOnOffAMP2", &F::bttnOnOffAMP2},
    {"bttnGuitares", &F::bttnGuitares},
    {"bttnNouveau", &F::bttnNouveau},
    {"bttnOuvrir", &F::bttnOuvrir},
    {"bttnEnregistrer", &F::bttnEnregistrer},
    {"bttnSynchro", &F::bttnSynchro},
    {"bttnAPropos", &F::bttnAPropos},
    {"bttnTraduire", &F::bttnTraduire},
    {"bttnPresets", &F::bttnPresets},
    {"bttnPresetFactory", &F::bttnPresetFactory},
    {"bttnPresetUser", &F::bttnPresetUser},
    {"bttnPresetPlus", &F::bttnPresetPlus},
    {"bttnPresetMoins", &F::bttnPresetMoins},
    {"bttnPresetA", &F::bttnPresetA},
    {"bttnPresetB", &F::bttnPresetB},
    {"bttnPresetC", &F::bttnPresetC},
    {"bttnPresetD", &F::bttnPresetD},
}};

constexpr std::array<Binding<ComboBox, F>, 7> kComboBoxes = {{
    {"cbOutputDevices", &F::cbOutputDevices},
    {"cbAmpli1", &F::cbAmpli1},
    {"cbEnceintes1", &F::cbEnceintes1},
    {"cbAmpli2", &F::cbAmpli2},
    {"cbEnceintes2", &F::cbEnceintes2},
    {"cbGuitares", &F::cbGuitares},
    {"cbMateriel", &F::cbMateriel},
}};

constexpr std::array<Binding<Panel, F>, 9> kPanels = {{
    {"pnlVariax", &F::pnlVariax},
    {"pnlPresets", &F::pnlPresets},
    {"pnlBoutons", &F::pnlBoutons},
    {"pnlMidi", &F::pnlMidi},
    {"pnlEcranAMP1", &F::pnlEcranAMP1},
    {"pnlAmpCabAMP1", &F::pnlAmpCabAMP1},
    {"pnlEcranAMP2", &F::pnlEcranAMP2},
    {"pnlAmpCabAMP2", &F::pnlAmpCabAMP2},
    {"pnlOptions", &F::pnlOptions},
}};

constexpr std::array<Binding<Picture, F>, 5> kPictures = {{
    {"imgGuitares", &F::imgGuitares},
    {"imgSelecteurMicros", &F::imgSelecteurMicros},
    {"imgMicroManche", &F::imgMicroManche},
    {"imgMicroCentre", &F::imgMicroCentre},
    {"imgMicroChevalet", &F::imgMicroChevalet},
}};

constexpr std::array<Binding<CheckListBox, F>, 2> kCheckLists = {{
    {"lbxInputDevices", &F::lbxInputDevices},
    {"lbxOutputDevices", &F::lbxOutputDevices},
}};

struct HandlerBinding {
  std::string_view name;
  ControlHandler handler;
};

constexpr std::array<HandlerBinding, 18> kClickHandlers = {{
    {"bttnOnOffAMP1", bttnOnOffAMP1Click},
    {"bttnOnOffAMP2", bttnOnOffAMP2Click},
    {"bttnGuitares", [](EditingContext& context) { bttnGuitaresClick(context.form); }},
    {"bttnNouveau", bttnNouveauClick},
    {"bttnOuvrir", bttnOuvrirClick},
    {"bttnEnregistrer", bttnEnregistrerClick},
    {"bttnSynchro", bttnSynchroClick},
    {"bttnAPropos", bttnAProposClick},
    {"bttnTraduire", bttnTraduireClick},
    {"bttnPresets", [](EditingContext& context) { bttnPresetsClick(context.form); }},
    {"bttnPresetFactory", bttnPresetFactoryClick},
    {"bttnPresetUser", bttnPresetUserClick},
    {"bttnPresetPlus", bttnPresetPlusClick},
    {"bttnPresetMoins", bttnPresetMoinsClick},
    {"bttnPresetA", bttnPresetAClick},
    {"bttnPresetB", bttnPresetBClick},
    {"bttnPresetC", bttnPresetCClick},
    {"bttnPresetD", bttnPresetDClick},
}};

constexpr std::array<HandlerBinding, 6> kPickHandlers = {{
    {"cbOutputDevices", cbOutputDevicesSelect},
    {"cbAmpli1", cbAmpli1Change},
    {"cbEnceintes1", cbEnceintes1Change},
    {"cbAmpli2", cbAmpli2Change},
    {"cbEnceintes2", cbEnceintes2Change},
    {"cbGuitares", cbGuitaresChange},
}};

template <std::size_t N>
ControlHandler FindHandler(const std::array<HandlerBinding, N>& handlers, std::string_view name) {
  for (const HandlerBinding& binding : handlers) {
    if (binding.name == name) {
      return binding.handler;
    }
  }
  return nullptr;
}

struct PictureName {
  std::string_view name;
  std::string_view file;
};

constexpr Rgb kYellow = kKnobYellow;
constexpr Rgb kLight{226, 226, 220};

}  // namespace

std::span<const ControlEntry> MainFormControls() {
  return kMainForm;
}

std::span<const ControlEntry> AboutFormControls() {
  return kAboutForm;
}

const ControlEntry* FindControl(std::span<const ControlEntry> table, std::string_view name) {
  const auto found = std::find_if(table.begin(), table.end(), [name](const ControlEntry& control) {
    return control.name == name;
  });
  return found == table.end() ? nullptr : &*found;
}

TextLook LookOfStyle(TextStyle style) {
  switch (style) {
    case S::Normal:
      return {12, false, false, kLight, TextAlign::Left, {}};
    case S::Bold:
      return {11, true, false, kLight, TextAlign::Left, {}};
    case S::Screen:
      return {12, false, false, kYellow, TextAlign::Left, {}};
    case S::ScreenRight:
      return {12, false, false, kYellow, TextAlign::Right, {}};
    case S::ScreenLarge:
      return {15, true, false, kYellow, TextAlign::Left, {}};
    case S::Strip:
      return {13, true, false, kYellow, TextAlign::Centre, {}};
    case S::KnobCaption:
      return {10, true, false, kYellow, TextAlign::Right, {}};
    case S::DisplayBank:
      return {11, true, false, kYellow, TextAlign::Centre, {}};
    case S::Display:
      return {29, true, false, kYellow, TextAlign::Centre, "Velmora"};
    case S::Grey:
      return {12, false, false, {160, 160, 160}, TextAlign::Left, {}};
    case S::Link:
      return {12, false, true, {0, 128, 0}, TextAlign::Left, {}};
    case S::Heading:
      return {16, true, false, {0, 0, 0}, TextAlign::Left, {}};
    case S::AboutText:
      return {12, false, false, {0, 0, 0}, TextAlign::Left, {}};
    case S::Nameplate:
      return {26, true, false, {214, 170, 80}, TextAlign::Left, {}};
    case S::ButtonText:
      return {10, true, false, {0, 0, 0}, TextAlign::Centre, {}};
  }
  return {};
}

GradientLook LookOfScheme(ColorScheme scheme) {
  switch (scheme) {
    case ColorScheme::csNeoDesert:  // selected, or a channel that is on: warm amber
      return {{236, 172, 88}, {150, 84, 24}, {96, 52, 12}, {255, 255, 255}, false};
    case ColorScheme::csNeoSilver:  // unselected, off, hidden: brushed metal
      return {{244, 244, 246}, {158, 162, 170}, {96, 98, 104}, {24, 24, 28}, false};
    case ColorScheme::csNeoSun:  // shown: bright sun yellow
      return {{255, 248, 160}, {246, 196, 24}, {150, 110, 0}, {60, 36, 0}, false};
  }
  return {};
}

GradientLook LookOfPanel(PanelLook look) {
  switch (look) {
    case L::Dark:
      return {{64, 66, 72}, {26, 27, 31}, {90, 92, 100}, kLight, false};
    case L::Light:
      return {{255, 255, 255}, {208, 208, 212}, {208, 208, 212}, {0, 0, 0}, true};
    case L::Olive:
      return {kKnobOlive, kKnobOlive, {90, 90, 0}, kYellow, false};
    case L::Black:
      return {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, kLight, false};
    case L::Sunken:
      return {{40, 40, 40}, {40, 40, 40}, {10, 10, 10}, kLight, false};
    case L::None:
      break;
  }
  return {};
}

std::span<const std::string_view> MonitorControlNames() {
  return kMonitorControls;
}

ClientSize MainClientSize(const FormModel& form, bool monitorShown) {
  ClientSize size{form.windowWidth, form.windowHeight};
  if (!monitorShown) {
    return size;
  }
  for (std::string_view name : kMonitorControls) {
    const Geometry& place = FindControl(kMainForm, name)->geometry;
    size.width = std::max(size.width, place.left + place.width + kMonitorMargin);
    size.height = std::max(size.height, place.top + place.height + kMonitorMargin);
  }
  return size;
}

std::string* BoundCaption(FormModel& form, std::string_view name) {
  return Find(kCaptions, form, name);
}

std::string* BoundAboutCaption(AboutForm& about, std::string_view name) {
  return Find(kAboutCaptions, about, name);
}

GradientButton* BoundButton(FormModel& form, std::string_view name) {
  return Find(kButtons, form, name);
}

ComboBox* BoundComboBox(FormModel& form, std::string_view name) {
  return Find(kComboBoxes, form, name);
}

Panel* BoundPanel(FormModel& form, std::string_view name) {
  return Find(kPanels, form, name);
}

Picture* BoundPicture(FormModel& form, std::string_view name) {
  return Find(kPictures, form, name);
}

CheckListBox* BoundCheckList(FormModel& form, std::string_view name) {
  return Find(kCheckLists, form, name);
}

std::optional<Knob> BoundKnob(std::string_view name) {
  constexpr std::string_view kPrefix = "knob";
  if (!name.starts_with(kPrefix)) {
    return std::nullopt;
  }
  return FindKnob(name.substr(kPrefix.size()));
}

ControlHandler ClickHandler(std::string_view name) {
  return FindHandler(kClickHandlers, name);
}

ControlHandler PickHandler(std::string_view name) {
  return FindHandler(kPickHandlers, name);
}

std::string_view BuiltinPicture(std::string_view control) {
  constexpr std::array<PictureName, 7> kPictures = {{
      {"imgGuitares", "guitare.jpg"},
      {"imgSelecteurMicros", "selecteur.jpg"},
      {"imgMicroManche", "micro.jpg"},
      {"imgMicroCentre", "micro.jpg"},
      {"imgMicroChevalet", "micro.jpg"},
      {"imgVariaxLogo", "logo.jpg"},
      {"imgAProposLogo", "logo.jpg"},
  }};
  for (const PictureName& entry : kPictures) {
    if (entry.name == control) {
      return entry.file;
    }
  }
  return {};
}

std::span<const std::string_view> BoundControlNames() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> all;
    auto add = [&all](const auto& bindings) {
      for (const auto& binding : bindings) {
        all.push_back(binding.name);
      }
    };
    add(kCaptions);
    add(kButtons);
    add(kComboBoxes);
    add(kPanels);
    add(kPictures);
    add(kCheckLists);
    add(kClickHandlers);
    add(kPickHandlers);
    static const std::array<std::string, kKnobCount> knobNames = [] {
      std::array<std::string, kKnobCount> knobs;
      for (std::size_t i = 0; i < knobs.size(); ++i) {
        knobs[i] = "knob" + std::string(KnobName(kAllKnobs[i]));
      }
      return knobs;
    }();
    all.insert(all.end(), knobNames.begin(), knobNames.end());
    // The sensitivity menu opens from the labels; its items are kKnobFactorMenu.
    all.push_back("pmKnobs");
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    return all;
  }();
  return names;
}

}  // namespace velmora

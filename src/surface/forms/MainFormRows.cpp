#include <algorithm>
#include <array>

#include "surface/form/RowMakers.h"
#include "surface/forms/MainForm.h"

namespace velmora {

namespace {

using K = ControlKind;
using S = TextStyle;
using L = PanelLook;
using namespace rows;

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
    Window(kMainFormName, kDesignWindowWidth, kDesignWindowHeight, {}, L::Black),
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

constexpr std::array<std::string_view, 9> kMonitorControls = {
    "lblMonitorIn", "lbxInputDevices", "lblMonitorOut", "lbxOutputDevices", "lblMonitorLog",
    "memLog",       "lblMonitorSysEx", "edtSysExData",  "btnSendSysEx"};
// Room left around the monitor's controls when it is shown.
constexpr int kMonitorMargin = 8;

}  // namespace

std::span<const ControlEntry> MainFormRows() {
  return kMainForm;
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

std::optional<Knob> BoundKnob(std::string_view name) {
  constexpr std::string_view kPrefix = "knob";
  if (!name.starts_with(kPrefix)) {
    return std::nullopt;
  }
  return FindKnob(name.substr(kPrefix.size()));
}

}  // namespace velmora

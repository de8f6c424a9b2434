#include <array>

#include "live/LiveView.h"
#include "surface/editing/AmpChannel.h"
#include "surface/editing/GuitarPanel.h"
#include "surface/editing/Knobs.h"
#include "surface/editing/Languages.h"
#include "surface/editing/LibraryBrowser.h"
#include "surface/editing/PortSelector.h"
#include "surface/editing/PresetBank.h"
#include "surface/editing/Synchronise.h"
#include "surface/files/PresetFileCommands.h"
#include "surface/forms/MainForm.h"
#include "surface/forms/RigForm.h"
#include "surface/shell/MainWindowLife.h"
#include "surface/shell/Monitor.h"

namespace velmora {

namespace {

using F = FormModel;

bool MonitorShown(const FormModel& form) {
  return form.monitorShown;
}

void PressKnob(const Gesture& gesture) {
  KnobKeyDown(gesture.context, *BoundKnob(gesture.control), gesture.button, gesture.large);
}

constexpr auto kKnobMenuItems = [] {
  std::array<MenuItem, kKnobFactorMenu.size()> items{};
  for (std::size_t i = 0; i < items.size(); ++i) {
    items[i] = {kKnobFactorMenu[i].name, kKnobFactorMenu[i].caption};
  }
  return items;
}();

constexpr std::string_view kKnobMenu = "pmKnobs";

constexpr Binding kBindings[] = {
    {"bttnNouveau", Field<&F::bttnNouveau>, bttnNouveauClick},
    {"bttnOuvrir", Field<&F::bttnOuvrir>, bttnOuvrirClick},
    {"bttnEnregistrer", Field<&F::bttnEnregistrer>, bttnEnregistrerClick},
    {"bttnSynchro", Field<&F::bttnSynchro>, bttnSynchroClick},
    {"bttnGuitares", Field<&F::bttnGuitares>,
     [](EditingContext& context) { bttnGuitaresClick(context.form); }},
    {"bttnPresets", Field<&F::bttnPresets>,
     [](EditingContext& context) { bttnPresetsClick(context.form); }},
    {"bttnTraduire", Field<&F::bttnTraduire>, bttnTraduireClick},
    {"bttnAPropos", Field<&F::bttnAPropos>, bttnAProposClick},
    {"pnlBoutons", Field<&F::pnlBoutons>},

    {"pnlMidi", Field<&F::pnlMidi>},
    {"lblMateriel", Field<&F::lblMateriel>},
    {"cbMateriel", Field<&F::cbMateriel>},
    {"lblMidiOut", Field<&F::lblMidiOut>},
    {"cbOutputDevices", Field<&F::cbOutputDevices>, cbOutputDevicesSelect},

    {"pnlVariax", Field<&F::pnlVariax>},
    {"lblModelesGuitares", Field<&F::lblModelesGuitares>},
    {"cbGuitares", Field<&F::cbGuitares>, cbGuitaresChange},
    {"lblGuitareMarque", Field<&F::lblGuitareMarque>},
    {"lblGuitareModele", Field<&F::lblGuitareModele>},
    {"lblGuitareAnnee", Field<&F::lblGuitareAnnee>},
    {"lblVariaxBanque", Field<&F::lblVariaxBanque>},
    {"imgGuitares", Field<&F::imgGuitares>},
    {"imgSelecteurMicros", Field<&F::imgSelecteurMicros>},
    {"imgMicroManche", Field<&F::imgMicroManche>},
    {"imgMicroCentre", Field<&F::imgMicroCentre>},
    {"imgMicroChevalet", Field<&F::imgMicroChevalet>},
    {"pbTraitementFichier", Field<&F::pbTraitementFichier>},

    {"pnlEcranAMP1", Field<&F::pnlEcranAMP1>},
    {"lblAmpliAMP1", Field<&F::lblAmpliAMP1>},
    {"lblEnceinteAMP1", Field<&F::lblEnceinteAMP1>},
    Binding{"lblSensibilite1", Field<&F::lblSensibilite1>}.Opens(kKnobMenu),
    Binding{"lblSensibiliteKnobsAMP1", Field<&F::lblSensibiliteKnobsAMP1>}.Opens(kKnobMenu),
    {"pnlAmpCabAMP1", Field<&F::pnlAmpCabAMP1>},
    {"bttnOnOffAMP1", Field<&F::bttnOnOffAMP1>, bttnOnOffAMP1Click},
    {"cbAmpli1", Field<&F::cbAmpli1>, cbAmpli1Change},
    {"cbEnceintes1", Field<&F::cbEnceintes1>, cbEnceintes1Change},
    {"knobDRIVE1", PressKnob},
    {"knobBASS1", PressKnob},
    {"knobMID1", PressKnob},
    {"knobTREB1", PressKnob},
    {"knobPRES1", PressKnob},
    {"knobVOL1", PressKnob},

    {"pnlEcranAMP2", Field<&F::pnlEcranAMP2>},
    {"lblAmpliAMP2", Field<&F::lblAmpliAMP2>},
    {"lblEnceinteAMP2", Field<&F::lblEnceinteAMP2>},
    Binding{"lblSensibilite2", Field<&F::lblSensibilite2>}.Opens(kKnobMenu),
    Binding{"lblSensibiliteKnobsAMP2", Field<&F::lblSensibiliteKnobsAMP2>}.Opens(kKnobMenu),
    {"pnlAmpCabAMP2", Field<&F::pnlAmpCabAMP2>},
    {"bttnOnOffAMP2", Field<&F::bttnOnOffAMP2>, bttnOnOffAMP2Click},
    {"cbAmpli2", Field<&F::cbAmpli2>, cbAmpli2Change},
    {"cbEnceintes2", Field<&F::cbEnceintes2>, cbEnceintes2Change},
    {"knobDRIVE2", PressKnob},
    {"knobBASS2", PressKnob},
    {"knobMID2", PressKnob},
    {"knobTREB2", PressKnob},
    {"knobPRES2", PressKnob},
    {"knobVOL2", PressKnob},

    {"pnlOptions", Field<&F::pnlOptions>},

    {"pnlPresets", Field<&F::pnlPresets>},
    {"bttnPresetFactory", Field<&F::bttnPresetFactory>, bttnPresetFactoryClick},
    {"bttnPresetUser", Field<&F::bttnPresetUser>, bttnPresetUserClick},
    {"bttnPresetPlus", Field<&F::bttnPresetPlus>, bttnPresetPlusClick},
    {"bttnPresetMoins", Field<&F::bttnPresetMoins>, bttnPresetMoinsClick},
    {"bttnPresetA", Field<&F::bttnPresetA>, bttnPresetAClick},
    {"bttnPresetB", Field<&F::bttnPresetB>, bttnPresetBClick},
    {"bttnPresetC", Field<&F::bttnPresetC>, bttnPresetCClick},
    {"bttnPresetD", Field<&F::bttnPresetD>, bttnPresetDClick},
    {"lblPresetBanque", Field<&F::lblPresetBanque>},
    {"lblPresetNumero", Field<&F::lblPresetNumero>},
    {"lblPresetABCD", Field<&F::lblPresetABCD>},

    // The monitor.
    Binding{"lblMonitorIn", FieldOf{nullptr}}.ShownWhile(MonitorShown),
    Binding{"lbxInputDevices", Field<&F::lbxInputDevices>, lbxInputDevicesClickCheck}.ShownWhile(
        MonitorShown),
    Binding{"lblMonitorOut", FieldOf{nullptr}}.ShownWhile(MonitorShown),
    Binding{
        "lbxOutputDevices", Field<&F::lbxOutputDevices>,
        [](const Gesture& gesture) { lbxOutputDevicesClickCheck(gesture.context, gesture.hub); }}
        .ShownWhile(MonitorShown),
    Binding{"lblMonitorLog", FieldOf{nullptr}}.ShownWhile(MonitorShown),
    Binding{"memLog", Field<&F::memLog>}.ShownWhile(MonitorShown),
    Binding{"lblMonitorSysEx", FieldOf{nullptr}}.ShownWhile(MonitorShown),
    Binding{"edtSysExData", Field<&F::edtSysExData>}.ShownWhile(MonitorShown),
    Binding{"btnSendSysEx", btnSendSysExClick}.ShownWhile(MonitorShown),

    Binding{kKnobMenu,
            [](const Gesture& gesture) {
              SetKnobFactor(gesture.context,
                            kKnobFactorMenu[static_cast<std::size_t>(gesture.item)].factor);
            }}
        .Items(kKnobMenuItems),
};

constexpr Caption kCaptions[] = {
    {"bttnNouveau", "Nouveau", "New", {}},
    {"bttnOuvrir", "Ouvrir", "Open", {}},
    {"bttnEnregistrer", "Enregistrer", "Save", {}},
    {"bttnGuitares", "Guitare", "Guitar", {}},
    {"bttnAPropos", "A propos...", "About...", {}},
    {"bttnTraduire", "Translate", "Traduire", {}},
    {"bttnSynchro", "Synchroniser", "Synchronise", {}},
    {"lblModelesGuitares", "Modèles de guitares:", "Guitars models:", {}},
    {"lblMateriel", "Matériel:", "Hardware:", {}},
    {"lblSensibilite1", "Sensibilité: x", "Sensibility: x", {}},
    {"lblSensibilite2", "Sensibilité: x", "Sensibility: x", {}},
    {"lblAmpliAMP1", "Sélectionnez un modèle d'ampli...", "Select amp model...", "cbAmpli1"},
    {"lblAmpliAMP2", "Sélectionnez un modèle d'ampli...", "Select amp model...", "cbAmpli2"},
    {"lblEnceinteAMP1", "Sélectionnez un modèle d'enceinte...", "Select cab model...",
     "cbEnceintes1"},
    {"lblEnceinteAMP2", "Sélectionnez un modèle d'enceinte...", "Select cab model...",
     "cbEnceintes2"},
    {"mnuBibliotheque", "Bibliothèque de presets", "Preset library", {}},
    {"mnuMoniteur", "Moniteur MIDI", "MIDI monitor", {}},
    {"mnuRig", "Vue du rig", "Rig view", {}},
    {"mnuLive", "Vue live", "Live view", {}},
};

// Row by row as the eye reads the window, left to right in each: the button row, the MIDI
// row, the guitar, each channel's screen (its knobs, then the factor that opens the
// sensitivity menu) above its amp and cab row, the preset panel, then the monitor.
constexpr std::string_view kTabOrder[] = {
    "bttnNouveau",      "bttnOuvrir",
    "bttnEnregistrer",  "bttnSynchro",
    "bttnGuitares",     "bttnPresets",
    "bttnTraduire",     "bttnAPropos",
    "cbMateriel",       "cbOutputDevices",
    "cbGuitares",       "knobDRIVE1",
    "knobBASS1",        "knobMID1",
    "knobTREB1",        "knobPRES1",
    "knobVOL1",         "lblSensibiliteKnobsAMP1",
    "bttnOnOffAMP1",    "cbAmpli1",
    "cbEnceintes1",     "knobDRIVE2",
    "knobBASS2",        "knobMID2",
    "knobTREB2",        "knobPRES2",
    "knobVOL2",         "lblSensibiliteKnobsAMP2",
    "bttnOnOffAMP2",    "cbAmpli2",
    "cbEnceintes2",     "bttnPresetFactory",
    "bttnPresetPlus",   "bttnPresetUser",
    "bttnPresetMoins",  "bttnPresetA",
    "bttnPresetB",      "bttnPresetC",
    "bttnPresetD",      "lbxInputDevices",
    "lbxOutputDevices", "memLog",
    "edtSysExData",     "btnSendSysEx",
};

constexpr BuiltinPictureRow kPictures[] = {
    {"imgGuitares", "guitare.jpg"},    {"imgSelecteurMicros", "selecteur.jpg"},
    {"imgMicroManche", "micro.jpg"},   {"imgMicroCentre", "micro.jpg"},
    {"imgMicroChevalet", "micro.jpg"}, {"imgVariaxLogo", "logo.jpg"},
};

// Each button of the button row but two has its keys; Ctrl+M shows the monitor below the
// editor, the window growing to hold it; Ctrl+L opens the preset library's window; Ctrl+R
// shows the rig view beside it; F11 the live view.
constexpr Shortcut kShortcuts[] = {
    {"Ctrl+N", "bttnNouveau"},
    {"Ctrl+O", "bttnOuvrir"},
    {"Ctrl+S", "bttnEnregistrer"},
    {"F5", "bttnSynchro"},
    {"Ctrl+M",
     {},
     [](EditingContext& context) { context.form.monitorShown = !context.form.monitorShown; },
     "Monitor"},
    {"Ctrl+L", {}, OpenLibraryWindow, "Library"},
    {"Ctrl+R", {}, [](EditingContext& context) { context.view.ShowForm(kRigFormName); }, "Rig"},
    {"F11", {}, OpenLiveView, "Live"},
    {"F1", "bttnAPropos"},
    {"Ctrl+T", "bttnTraduire"},
};

// The name plate's menu: the windows that have no button of their own.
constexpr ContextMenuEntry kLogoMenuEntries[] = {
    {"mnuBibliotheque", "Ctrl+L"},
    {"mnuMoniteur", "Ctrl+M"},
    {"mnuRig", "Ctrl+R"},
    {"mnuLive", "F11"},
};

constexpr ContextMenu kContextMenus[] = {{"pnlOptions", kLogoMenuEntries}};

}  // namespace

const Form& MainWindowForm() {
  static const Form form{
      kMainFormName,
      MainFormRows(),
      kBindings,
      kCaptions,
      kTabOrder,
      kPictures,
      kShortcuts,
      [](const FormModel& model) {
        return model.caption.empty() ? MainWindowTitle() : model.caption;
      },
      [](const FormModel& model) { return MainClientSize(model, model.monitorShown); },
      false,
      {},
      nullptr,
      nullptr,
      kContextMenus,
  };
  return form;
}

}  // namespace velmora

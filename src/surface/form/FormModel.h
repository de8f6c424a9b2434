#pragma once

// The main window's controls that carry the editing state, without any widget toolkit.
// The editing state has no object of its own: a selector's text is the chosen model, a
// power button's caption is the channel's power, a hidden track bar's position is a knob
// value. The operations read and write these fields exactly as they would the widgets,
// and the window only renders them.

#include <array>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue/Vetta2_Amplis.h"
#include "rig/SentRigs.h"
#include "surface/form/Identity.h"
#include "surface/form/LibraryWindowModel.h"
#include "surface/form/LiveWindowModel.h"

namespace velmora {

// The looks of a gradient button. Power buttons: desert = on, silver = off. The guitar
// button: sun = picture shown, silver = hidden.
enum class ColorScheme { csNeoDesert, csNeoSilver, csNeoSun };

// A drop-down list without free text: its text is the item at the selected index.
struct ComboBox {
  std::vector<std::string> items;
  int itemIndex = -1;  // -1: no selection
  bool enabled = true;

  // The selected item, or the empty text with no selection.
  std::string Text() const;
  // Selects the item equal to text, letter case ignored; no match leaves no selection.
  void SelectTextIgnoringCase(std::string_view text);
};

struct GradientButton {
  std::string caption;
  ColorScheme look = ColorScheme::csNeoSilver;
  bool enabled = true;
};

// Every movable panel stands at left 176 in the designed layout.
inline constexpr int kDesignPanelLeft = 176;

struct Panel {
  int left = kDesignPanelLeft;
  bool enabled = true;
  bool visible = true;
};

// A list of check boxes (the monitor's port lists): item position = device index.
struct CheckListBox {
  std::vector<std::string> items;
  std::vector<bool> checked;  // one per item, all false at first
  int itemIndex = -1;         // the item the user toggled last

  void SetItems(std::vector<std::string> names);
  bool Checked(int index) const;
};

// The monitor log: newest line first. A long session with a chatty input port would grow
// it without end, so it keeps the newest kMaxLines lines (about a megabyte of text) and
// drops the oldest; the window shows only the top of it anyway.
class LogMemo {
 public:
  static constexpr std::size_t kMaxLines = 10000;
  const std::deque<std::string>& Lines() const { return lines_; }
  void InsertAtTop(std::string line);

 private:
  std::deque<std::string> lines_;
};

// A knob's hidden value holder: any position set is clamped into 0..508.
class TrackBar {
 public:
  static constexpr int kMin = 0;
  static constexpr int kMax = 508;
  int Position() const { return position_; }
  void SetPosition(long long position);

 private:
  int position_ = 0;
};

// A picture control shows a file, or its built-in picture while file is empty.
struct Picture {
  std::filesystem::path file;
  bool visible = true;
};

class ProgressBar {
 public:
  static constexpr int kMin = 0;
  static constexpr int kMax = 100;
  int Position() const { return position_; }
  void SetPosition(int position);
  // Shown from start-up until the first preset load ends.
  bool visible = true;

 private:
  int position_ = 0;
};

// The twelve knobs, in their fixed order: DRIVE, BASS, MID, TREB, PRES, VOL of AMP1,
// then the same of AMP2.
enum class Knob {
  DRIVE1,
  BASS1,
  MID1,
  TREB1,
  PRES1,
  VOL1,
  DRIVE2,
  BASS2,
  MID2,
  TREB2,
  PRES2,
  VOL2
};
inline constexpr int kKnobCount = 12;
inline constexpr std::array<Knob, kKnobCount> kAllKnobs = {
    Knob::DRIVE1, Knob::BASS1, Knob::MID1, Knob::TREB1, Knob::PRES1, Knob::VOL1,
    Knob::DRIVE2, Knob::BASS2, Knob::MID2, Knob::TREB2, Knob::PRES2, Knob::VOL2};

std::string_view KnobName(Knob knob);  // "DRIVE1" .. "VOL2"
// Exact comparison, letter case included; nothing for any other word.
std::optional<Knob> FindKnob(std::string_view name);
Channel KnobChannel(Knob knob);
// The six knobs of a channel, DRIVE to VOL.
std::array<Knob, kKnobsPerChannel> ChannelKnobs(Channel channel);
// "B0 0D " for DRIVE1 ... "B0 67 " for VOL2.
std::string_view KnobPrefix(Knob knob);

inline constexpr std::string_view kPowerOn = "ON";
inline constexpr std::string_view kPowerOff = "OFF";

// Design captions, replaced by the language switch.
inline constexpr std::string_view kAmpPlaceholder = "Sélectionnez un modèle d'ampli...";
inline constexpr std::string_view kCabPlaceholder = "Sélectionnez un modèle d'enceinte...";
inline constexpr std::string_view kEmptyCaption = "...";

// The window's client size in the designed layout; hiding the guitar picture takes 170 off
// its width, and showing the preset panel adds 90 to its height.
inline constexpr int kDesignWindowWidth = 703;
inline constexpr int kDesignWindowHeight = 431;
inline constexpr int kGuitarColumnWidth = 170;
inline constexpr int kPresetPanelHeight = 90;

// The About window (TForm2): created hidden with the main window, living until the end.
struct AboutForm {
  std::string title{"A propos..."};
  std::string lblNomLogiciel{kEmptyCaption};
  std::string lblVersionLogiciel{kEmptyCaption};
  std::string lblMateriel{kEmptyCaption};
  std::string lblSiteLine6{"Site officiel de Line 6"};
  std::string bttnAProposFermer{"Fermer"};
  std::string lblRaccourcis{kEmptyCaption};
  bool visible = false;
};

// The rig view (TForm3): what a rig cabled to the chosen port would hold after everything the
// editor sent there since start. Its value texts are made only while it is shown (RigView.h).
struct RigForm {
  std::string title{"Rig simulé"};
  std::string lblRigLegende{kEmptyCaption};
  std::string lblRigPort;
  std::string lblRigAMP1;
  std::string lblRigAMP2;
  std::string lblRigLegendeRig{kEmptyCaption};
  std::string lblRigValeurs;
  std::string lblRigChangements{"Derniers changements :"};
  LogMemo memRigChangements;  // newest first, as the monitor's log
  std::string bttnRigFermer{"Fermer"};
  // Fed by the send tap from start-up on, shared with it: the tap may outlive the window.
  std::shared_ptr<SentRigs> sent = std::make_shared<SentRigs>();
  // The port (-1 for none) and that rig's change count the texts were made for: new texts
  // are made only when one of them moved.
  std::optional<std::pair<int, std::uint64_t>> shown;
};

// A port remembered by its name, and by its order among the ports of that name (1 for the
// first), since the platform gives nothing else that tells two ports of one name apart.
struct NamedPort {
  std::string name;
  int order = 1;
  bool operator==(const NamedPort&) const = default;
};

struct FormModel {
  // The connected output ports in device order; while the chosen port is not connected
  // (missingOutputPort), one more item stands after them, selected, naming it as missing.
  ComboBox cbOutputDevices;
  std::optional<NamedPort> missingOutputPort;
  // The start-up has already told the player that the stored port is not connected: the
  // sends of the start-up itself say nothing more about it.
  bool missingPortAnnounced = false;
  ComboBox cbAmpli1;
  ComboBox cbEnceintes1;
  ComboBox cbAmpli2;
  ComboBox cbEnceintes2;
  ComboBox cbGuitares;

  GradientButton bttnOnOffAMP1{std::string(kPowerOff), ColorScheme::csNeoSilver, true};
  GradientButton bttnOnOffAMP2{std::string(kPowerOff), ColorScheme::csNeoSilver, true};
  GradientButton bttnGuitares{"Guitare", ColorScheme::csNeoSun, true};

  // The button row. Designed with French captions, except the language switch, which
  // names the other language.
  GradientButton bttnNouveau{"Nouveau", ColorScheme::csNeoSilver, true};
  GradientButton bttnOuvrir{"Ouvrir", ColorScheme::csNeoSilver, true};
  GradientButton bttnEnregistrer{"Enregistrer", ColorScheme::csNeoSilver, true};
  GradientButton bttnSynchro{"Synchroniser", ColorScheme::csNeoSilver, true};
  GradientButton bttnAPropos{"A propos...", ColorScheme::csNeoSilver, true};
  GradientButton bttnTraduire{"Translate", ColorScheme::csNeoSilver, true};
  GradientButton bttnPresets{"Presets", ColorScheme::csNeoSun, true};

  // The preset panel. Its three display captions are its only record of group, number and
  // letter; the looks of its group and letter buttons mark the selected ones.
  GradientButton bttnPresetFactory{"FACT", ColorScheme::csNeoSilver, true};
  GradientButton bttnPresetUser{"USER", ColorScheme::csNeoSilver, true};
  GradientButton bttnPresetPlus{"+", ColorScheme::csNeoSilver, true};
  GradientButton bttnPresetMoins{"-", ColorScheme::csNeoSilver, true};
  GradientButton bttnPresetA{"A", ColorScheme::csNeoSilver, true};
  GradientButton bttnPresetB{"B", ColorScheme::csNeoSilver, true};
  GradientButton bttnPresetC{"C", ColorScheme::csNeoSilver, true};
  GradientButton bttnPresetD{"D", ColorScheme::csNeoSilver, true};
  std::string lblPresetBanque{"FACTORY"};
  std::string lblPresetNumero{"."};
  std::string lblPresetABCD{"."};

  ComboBox cbMateriel{{std::string(HardwareName)}, -1, true};
  std::string lblMateriel{"Hardware:"};
  std::string lblMidiOut{"MIDI OUT:"};
  std::string lblModelesGuitares{"Modèles de guitares:"};
  std::string lblSensibilite1{"Sensibilité: x"};
  std::string lblSensibilite2{"Sensibilité: x"};

  // The hidden monitor panel. User-interface state only: the notification thread never
  // touches it (see Monitor.h).
  CheckListBox lbxInputDevices;
  CheckListBox lbxOutputDevices;
  LogMemo memLog;
  std::string edtSysExData;
  // Ctrl+M shows it below the editor, the window growing to hold it.
  bool monitorShown = false;

  Panel pnlVariax;
  Panel pnlPresets;
  Panel pnlBoutons;
  Panel pnlMidi;
  Panel pnlEcranAMP1;
  Panel pnlAmpCabAMP1;
  Panel pnlEcranAMP2;
  Panel pnlAmpCabAMP2;
  Panel pnlOptions;
  int windowWidth = kDesignWindowWidth;
  int windowHeight = kDesignWindowHeight;
  std::string caption;  // the window title, set when the window is shown
  // The context menus' entries by caption name, in the language chosen.
  std::map<std::string, std::string, std::less<>> menuCaptions;
  // Set once RestorePresetPanel has read the stored preset settings, so that a shutdown
  // never writes back design captions that were never restored.
  bool presetPanelRestored = false;
  // The first activation after start-up has run; later ones load only when the About window
  // closes.
  bool firstActivationDone = false;

  AboutForm about;
  LibraryWindow library;
  RigForm rig;
  LiveWindow live;
  SetlistPane setlist;
  std::shared_ptr<LiveStage> stage = MakeLiveStage();

  std::string lblAmpliAMP1{kAmpPlaceholder};
  std::string lblEnceinteAMP1{kCabPlaceholder};
  std::string lblAmpliAMP2{kAmpPlaceholder};
  std::string lblEnceinteAMP2{kCabPlaceholder};
  std::string lblVariaxBanque{kEmptyCaption};
  std::string lblGuitareMarque{kEmptyCaption};
  std::string lblGuitareModele{kEmptyCaption};
  std::string lblGuitareAnnee{kEmptyCaption};
  std::string lblSensibiliteKnobsAMP1{kEmptyCaption};
  std::string lblSensibiliteKnobsAMP2{kEmptyCaption};

  TrackBar tbDRIVE1, tbBASS1, tbMID1, tbTREB1, tbPRES1, tbVOL1;
  TrackBar tbDRIVE2, tbBASS2, tbMID2, tbTREB2, tbPRES2, tbVOL2;

  Picture imgGuitares;
  Picture imgSelecteurMicros;
  Picture imgMicroManche;
  Picture imgMicroCentre;
  Picture imgMicroChevalet;

  ProgressBar pbTraitementFichier;

  // Shared by all twelve knobs: the value whose pointer was drawn last, by any knob.
  int LastDrawnKnobValue = 0;

  TrackBar& ValueHolder(Knob knob);
  const TrackBar& ValueHolder(Knob knob) const;

  // The nine panels that move with the guitar picture column, in the order they move.
  std::array<Panel*, 9> MovablePanels();

  // A channel's controls, by channel.
  ComboBox& AmpSelector(Channel channel);
  ComboBox& CabSelector(Channel channel);
  GradientButton& PowerButton(Channel channel);
  Panel& ScreenPanel(Channel channel);
  std::string& AmpLabel(Channel channel);
  std::string& CabLabel(Channel channel);
};

// The window as it stands when first shown: the five model selectors filled from the
// catalogues without a selection, both channels "OFF", every knob 0, no guitar.
// cbOutputDevices is left to the caller, who knows the ports.
FormModel MakeStartupForm();

// Fills cbAmpli1/2 and cbEnceintes1/2 with the catalogues' display names, in order.
void FillModelSelectors(FormModel& form);

}  // namespace velmora

#include "surface/shell/MainWindowLife.h"

#include <string>
#include <system_error>
#include <vector>

#include "live/SetlistEditing.h"
#include "profile/Profile.h"
#include "surface/editing/About.h"
#include "surface/editing/GuitarPanel.h"
#include "surface/editing/Languages.h"
#include "surface/editing/PortSelector.h"
#include "surface/editing/PresetBank.h"
#include "surface/editing/RigView.h"
#include "surface/files/PresetFile.h"
#include "surface/files/PresetFileCommands.h"
#include "surface/files/SettingsFile.h"
#include "surface/form/Identity.h"
#include "surface/form/Shortcuts.h"
#include "surface/forms/AboutForm.h"
#include "surface/forms/MainForm.h"

namespace velmora {

namespace {

bool FileExists(const std::filesystem::path& file) {
  std::error_code error;
  return std::filesystem::exists(file, error);
}

void FillSelectors(FormModel& form) {
  for (ComboBox* selector :
       {&form.cbAmpli1, &form.cbAmpli2, &form.cbEnceintes1, &form.cbEnceintes2, &form.cbGuitares}) {
    *selector = ComboBox{};
  }
  FillModelSelectors(form);
  FillGuitarList(form);
}

std::string ReadSetting(const EditingContext& context, std::string_view section,
                        std::string_view key) {
  return ReadProfileString(context.folders.ConfigFile(), section, key);
}

}  // namespace

void FormCreate(EditingContext& context, MonitorHub& hub) {
  // The rig view shows everything sent since start, whether it was open or not.
  TapSendsForRigView(context.form, GetMidiOutput());
  MonitorFormCreate(context.form, hub);
  if (!FileExists(context.folders.DefaultPresetFile())) {
    CreateDefaultPresetFile(context.folders);
  }
  // An existing file is never completed: a key missing from it stays missing.
  if (!FileExists(context.folders.ConfigFile())) {
    CreateDefaultSettingsFile(context.folders);
  }
}

void FormShow(EditingContext& context) {
  using namespace settings;
  FormModel& form = context.form;
  form.caption = MainWindowTitle();
  form.cbMateriel.SelectTextIgnoringCase(HardwareName);
  FillSelectors(form);
  ApplyStoredLanguage(context, ReadSetting(context, kConfig, kConfigLanguage));
  OpenStoredOutputPort(
      context, {ReadSetting(context, kMidi, kMidiOut), ReadSetting(context, kMidi, kMidiOutName),
                ReadSetting(context, kMidi, kMidiOutNameOrder)});
  RestorePresetPanel(context);
  RestoreSetlist(context);
  if (ReadSetting(context, kVariax, kVariaxShow) == kNo) {
    HideGuitarPicture(form);
  }
  const std::string factor = ReadSetting(context, kKnobs, kKnobsFactor);
  form.lblSensibiliteKnobsAMP1 = factor;
  form.lblSensibiliteKnobsAMP2 = factor;
}

void MainWindowActivated(EditingContext& context, Activation cause) {
  FormModel& form = context.form;
  const bool loads = (cause == Activation::FirstShow && !form.firstActivationDone) ||
                     cause == Activation::AboutClosed;
  if (cause == Activation::FirstShow) {
    form.firstActivationDone = true;
  }
  if (loads) {
    // The start-up's box about a stored port that is not connected covers its own load.
    struct EndOfStartUp {
      FormModel& form;
      bool ends;
      ~EndOfStartUp() {
        if (ends) {
          form.missingPortAnnounced = false;
        }
      }
    } endOfStartUp{form, cause == Activation::FirstShow};
    FormActivate(context);
  }
}

void bttnAProposClick(EditingContext& context) {
  AboutForm& about = context.form.about;
  AboutFormShow(about);
  about.lblRaccourcis = ShortcutList(MainWindowForm(), context.form);
  about.visible = true;
  context.view.ShowForm(kAboutFormName);
  about.visible = false;
  MainWindowActivated(context, Activation::AboutClosed);
}

void FormCloseByPlayer(EditingContext& context) {
  KeepSetlistEdits(context);
  FormClose(context);
}

void FormClose(EditingContext& context) {
  using namespace settings;
  const FormModel& form = context.form;
  WritePresetKeys(form, context.folders.DefaultPresetFile(), form.bttnOnOffAMP1.caption,
                  form.bttnOnOffAMP2.caption);
  auto entry = [](std::string_view section, std::string_view key, std::string value) {
    return ProfileEntry{std::string(section), std::string(key), std::move(value)};
  };
  // A missing port has no index: an older copy reading Out must not take whatever port
  // now stands where it stood.
  const std::optional<NamedPort> chosen = ChosenOutputPort(form);
  const int out = form.missingOutputPort ? -1 : form.cbOutputDevices.itemIndex;
  std::vector<ProfileEntry> entries = {
      entry(kMidi, kMidiIn, ""),
      entry(kMidi, kMidiOut, std::to_string(out)),
      entry(kMidi, kMidiOutName, chosen ? chosen->name : ""),
  };
  // The order is written only where it tells something: for the second port of a name and
  // beyond, or over an order written before, which would otherwise outlive its port.
  const int order = chosen ? chosen->order : 1;
  if (order > 1 || !ReadSetting(context, kMidi, kMidiOutNameOrder).empty()) {
    entries.push_back(entry(kMidi, kMidiOutNameOrder, std::to_string(order)));
  }
  // A start-up that stopped before the panel was restored leaves its design captions on
  // screen; writing them would replace the player's stored preset with values never read.
  if (form.presetPanelRestored) {
    if (form.bttnPresets.look == ColorScheme::csNeoSun) {
      entries.push_back(entry(kPresets, kPresetsShow, std::string(kYes)));
    } else if (form.bttnPresets.look == ColorScheme::csNeoSilver) {
      entries.push_back(entry(kPresets, kPresetsShow, std::string(kNo)));
    }
    entries.push_back(entry(kPresets, kPresetsBank, form.lblPresetBanque));
    entries.push_back(entry(kPresets, kPresetsNumber, form.lblPresetNumero));
    entries.push_back(entry(kPresets, kPresetsLetter, form.lblPresetABCD));
  }
  WriteProfileStrings(context.folders.ConfigFile(), entries);
}

void FormDestroy(MonitorHub& hub) {
  MonitorFormDestroy(hub);
}

}  // namespace velmora

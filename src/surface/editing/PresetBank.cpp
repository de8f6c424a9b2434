#include "surface/editing/PresetBank.h"

#include <array>
#include <string>

#include "catalogue/Presets.h"
#include "profile/IntegerText.h"
#include "profile/Profile.h"
#include "surface/editing/MidiSend.h"
#include "surface/files/SettingsFile.h"

namespace velmora {

namespace {

constexpr std::string_view kUserGroup = "USER";
constexpr std::string_view kFactoryGroup = "FACTORY";
constexpr std::string_view kShown = settings::kYes;
constexpr std::string_view kHidden = settings::kNo;
constexpr int kFirstBank = 1;
constexpr int kLastBank = 16;

void SendGroupPreset(EditingContext& context, std::string_view groupText,
                     const std::array<PresetEntry, kPresetEntryCount>& table,
                     std::string_view presetKey) {
  SendMidiText(context, groupText);
  for (const PresetEntry& entry : table) {
    if (entry.Key == presetKey) {
      SendMidiText(context, entry.Message);
    }
  }
}

void MarkGroup(FormModel& form, std::string_view group) {
  const bool user = group == kUserGroup;
  form.bttnPresetUser.look = user ? ColorScheme::csNeoDesert : ColorScheme::csNeoSilver;
  form.bttnPresetFactory.look = user ? ColorScheme::csNeoSilver : ColorScheme::csNeoDesert;
}

void MarkLetter(FormModel& form, char letter) {
  const std::array<GradientButton*, 4> buttons = {&form.bttnPresetA, &form.bttnPresetB,
                                                  &form.bttnPresetC, &form.bttnPresetD};
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    buttons[i]->look =
        static_cast<char>('A' + i) == letter ? ColorScheme::csNeoDesert : ColorScheme::csNeoSilver;
  }
}

void ChooseGroup(EditingContext& context, std::string_view group) {
  MarkGroup(context.form, group);
  context.form.lblPresetBanque = group;
  SelectPreset(context, PresetKey(context.form));
}

void ChooseLetter(EditingContext& context, char letter) {
  MarkLetter(context.form, letter);
  context.form.lblPresetABCD = std::string(1, letter);
  SelectPreset(context, PresetKey(context.form));
}

void ShowPresetPanel(FormModel& form, bool shown) {
  form.bttnPresets.look = shown ? ColorScheme::csNeoSun : ColorScheme::csNeoSilver;
  form.pnlPresets.visible = shown;
}

}  // namespace

std::string PresetKey(const FormModel& form) {
  return form.lblPresetNumero + form.lblPresetABCD;
}

void SelectPreset(EditingContext& context, std::string_view presetKey) {
  const std::string& group = context.form.lblPresetBanque;
  if (group == kFactoryGroup) {
    SendGroupPreset(context, kFactoryGroupText, FactoryPresetTable(), presetKey);
  } else if (group == kUserGroup) {
    SendGroupPreset(context, kUserGroupText, UserPresetTable(), presetKey);
  }
}

void RecallStoredPreset(EditingContext& context, std::string_view group,
                        std::string_view presetKey) {
  FormModel& form = context.form;
  MarkGroup(form, group);
  form.lblPresetBanque = group;
  form.lblPresetNumero = presetKey.substr(0, presetKey.size() - 1);
  MarkLetter(form, presetKey.back());
  form.lblPresetABCD = presetKey.substr(presetKey.size() - 1);
  SelectPreset(context, presetKey);
}

void RestorePresetPanel(EditingContext& context) {
  FormModel& form = context.form;
  const std::filesystem::path config = context.folders.ConfigFile();
  const std::string bank = ReadProfileString(config, settings::kPresets, settings::kPresetsBank);
  const std::string number =
      ReadProfileString(config, settings::kPresets, settings::kPresetsNumber);
  const std::string letter =
      ReadProfileString(config, settings::kPresets, settings::kPresetsLetter);
  const std::string show = ReadProfileString(config, settings::kPresets, settings::kPresetsShow);

  form.lblPresetBanque = bank;
  if (bank == kUserGroup || bank == kFactoryGroup) {
    MarkGroup(form, bank);
  }
  form.lblPresetNumero = number.empty() ? std::to_string(kFirstBank) : number;
  if (letter.size() == 1 && letter[0] >= 'A' && letter[0] <= 'D') {
    MarkLetter(form, letter[0]);
    form.lblPresetABCD = letter;
  }
  if (show == kShown || show == kHidden) {
    ShowPresetPanel(form, show == kShown);
  }
  // Restored from here on: a failing send below must not make the shutdown forget these.
  form.presetPanelRestored = true;
  SelectPreset(context, PresetKey(form));
  if (show == kShown) {
    form.windowHeight += kPresetPanelHeight;
  }
}

void bttnPresetUserClick(EditingContext& context) {
  ChooseGroup(context, kUserGroup);
}

void bttnPresetFactoryClick(EditingContext& context) {
  ChooseGroup(context, kFactoryGroup);
}

void bttnPresetAClick(EditingContext& context) {
  ChooseLetter(context, 'A');
}

void bttnPresetBClick(EditingContext& context) {
  ChooseLetter(context, 'B');
}

void bttnPresetCClick(EditingContext& context) {
  ChooseLetter(context, 'C');
}

void bttnPresetDClick(EditingContext& context) {
  ChooseLetter(context, 'D');
}

// Compared without computing n + 1 or n - 1, which would overflow at the ends of int.
void bttnPresetPlusClick(EditingContext& context) {
  const int number = StrToInt(context.form.lblPresetNumero);
  if (number < kLastBank) {
    context.form.lblPresetNumero = std::to_string(number + 1);
  }
  SelectPreset(context, PresetKey(context.form));
}

void bttnPresetMoinsClick(EditingContext& context) {
  const int number = StrToInt(context.form.lblPresetNumero);
  if (number > kFirstBank) {
    context.form.lblPresetNumero = std::to_string(number - 1);
  }
  SelectPreset(context, PresetKey(context.form));
}

// The height follows the look rather than stepping by the panel's height: a panel marked
// shown but never brought into view (no SHOW stored, or a start-up that stopped before the
// panel was restored) would otherwise cut the window below its designed height on the first
// press, and never come into view however often it is pressed.
void bttnPresetsClick(FormModel& form) {
  if (form.bttnPresets.look == ColorScheme::csNeoSun) {
    ShowPresetPanel(form, false);
    form.windowHeight = kDesignWindowHeight;
  } else if (form.bttnPresets.look == ColorScheme::csNeoSilver) {
    ShowPresetPanel(form, true);
    form.windowHeight = kDesignWindowHeight + kPresetPanelHeight;
  }
}

}  // namespace velmora

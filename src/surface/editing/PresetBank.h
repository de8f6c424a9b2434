#pragma once

// The preset panel: recalls the amplifier's stored presets by group (USER or FACTORY),
// bank number and letter. The display's three captions are the panel's only state.

#include <string>
#include <string_view>

#include "surface/editing/EditingContext.h"

namespace velmora {

// lblPresetNumero followed by lblPresetABCD: "1A" .. "16D".
std::string PresetKey(const FormModel& form);

// Sends the group switch, then the preset of that key, in the group lblPresetBanque names.
// Any other group caption sends nothing.
void SelectPreset(EditingContext& context, std::string_view presetKey);

// Shows the group ("USER" or "FACTORY") and the key ("1A" .. "16D") on the panel, as the
// player's presses would, then sends them as SelectPreset does.
void RecallStoredPreset(EditingContext& context, std::string_view group,
                        std::string_view presetKey);

// Sets the panel from [PRESETS] of config.ini and sends the restored preset; marks the
// panel restored (FormModel::presetPanelRestored) once the settings are read, before the
// send. With SHOW "YES" the window then grows by kPresetPanelHeight; a failing send ends
// the restore before that.
void RestorePresetPanel(EditingContext& context);

void bttnPresetUserClick(EditingContext& context);
void bttnPresetFactoryClick(EditingContext& context);
void bttnPresetAClick(EditingContext& context);
void bttnPresetBClick(EditingContext& context);
void bttnPresetCClick(EditingContext& context);
void bttnPresetDClick(EditingContext& context);
// Throw ConversionError, and change and send nothing, when the number is not a whole number.
void bttnPresetPlusClick(EditingContext& context);
void bttnPresetMoinsClick(EditingContext& context);
// Hides or shows the panel: hidden, the window has its designed height; shown, it is
// kPresetPanelHeight taller. Any other look of bttnPresets does nothing.
void bttnPresetsClick(FormModel& form);

}  // namespace velmora

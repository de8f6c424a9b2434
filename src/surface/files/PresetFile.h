#pragma once

// Preset files (.vmp): one whole editing state as an INI file. Loading does not merely set
// the controls: it re-applies and re-sends the state group by group, with a pause and the
// progress bar between groups, exactly as a synchronise does.

#include <filesystem>
#include <string_view>

#include "library/PresetReading.h"
#include "profile/Profile.h"
#include "profile/ProgramFolder.h"
#include "surface/editing/EditingContext.h"

namespace velmora {

// The load modes: the file chosen in the open dialog (the default preset file when the
// dialog is cancelled), the empty preset file, the default preset file.
inline constexpr std::string_view kLoadModeOpen = "OUVRIR";
inline constexpr std::string_view kLoadModeNew = "NOUVEAU";
inline constexpr std::string_view kLoadModeDefault = "DEFAUT";

// Writes the 19 keys of the state (powers as given, models and guitar as the selectors
// show them, knob values in decimal) in one atomic replace: a failure throws
// "Impossible d'écrire dans <full path>" and leaves the file as it was. Every other line of
// an existing file stays as it was.
void WritePresetKeys(const FormModel& form, const std::filesystem::path& file,
                     std::string_view power1, std::string_view power2);

// Asks for a file with the save dialog; a cancelled dialog writes nothing.
void SavePresetFile(EditingContext& context, std::string_view power1, std::string_view power2);

// The default state ("defaut.vmp"): AMP1 on, AMP2 off, both on the first amp and cab
// records, every knob at 256, no guitar. One atomic write.
void CreateDefaultPresetFile(const ProgramFolders& folders);

// Chooses the file by the mode word, then loads it as LoadPresetFromFile does. Any other
// word loads nothing.
void LoadPresetFile(EditingContext& context, std::string_view mode);

// Reads the file once, then applies and sends that snapshot's state in the fixed group
// order, so a file replaced meanwhile cannot mix two versions. A missing file reads as a
// file in which every key is missing; a file over the profile size cap is refused before
// anything is sent. An error (a knob value that is not a whole number, a
// device error, a picture that cannot be loaded) ends the load there with the bar hidden;
// what was done before stays done.
void LoadPresetFromFile(EditingContext& context, const std::filesystem::path& file);

// Applies and sends a snapshot's state as LoadPresetFromFile does, for a caller that read
// the file by its own rules.
void LoadPresetSnapshot(EditingContext& context, const ProfileSnapshot& file);

}  // namespace velmora

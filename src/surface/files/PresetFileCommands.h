#pragma once

// The button bar's file commands and the default preset load on activation. None asks for
// confirmation: the editing state keeps no record of unsaved changes.

#include <filesystem>
#include <string_view>

#include "surface/editing/EditingContext.h"

namespace velmora {

void bttnNouveauClick(EditingContext& context);
void bttnOuvrirClick(EditingContext& context);
// Saves with the two power buttons' captions as the channels' power.
void bttnEnregistrerClick(EditingContext& context);

// A file handed to the editor (its command line, a second start) loads as the file chosen
// with Open does. A file Open could not have chosen, missing or unreadable, is refused with
// "Impossible de lire <full path>" before anything is sent.
void OpenGivenFile(EditingContext& context, const std::filesystem::path& file);

// "DEFAUT" when the default preset file exists, else "NOUVEAU".
std::string_view ActivationLoadMode(const ProgramFolders& folders);

// Loads the default preset file as it was last written, not the state on the screen. Does
// nothing while a load or a synchronise runs (the window may be activated again when a
// message box of theirs closes); the window decides which other focus changes count.
void FormActivate(EditingContext& context);

}  // namespace velmora

#include "surface/files/PresetFileCommands.h"

#include <fstream>
#include <stdexcept>
#include <system_error>

#include "profile/AtomicFile.h"
#include "surface/editing/StepGroups.h"
#include "surface/files/PresetFile.h"

namespace velmora {

void bttnNouveauClick(EditingContext& context) {
  LoadPresetFile(context, kLoadModeNew);
}

void bttnOuvrirClick(EditingContext& context) {
  LoadPresetFile(context, kLoadModeOpen);
}

void bttnEnregistrerClick(EditingContext& context) {
  SavePresetFile(context, context.form.bttnOnOffAMP1.caption, context.form.bttnOnOffAMP2.caption);
}

void OpenGivenFile(EditingContext& context, const std::filesystem::path& file) {
  // The load reads a missing file as one without keys and sends the all-default state: right
  // for the default preset, a silent surprise for a file the player named.
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error) ||
      !std::ifstream(file, std::ios::binary).is_open()) {
    throw std::runtime_error("Impossible de lire " + FullPathText(file));
  }
  LoadPresetFromFile(context, file);
}

std::string_view ActivationLoadMode(const ProgramFolders& folders) {
  std::error_code error;
  return std::filesystem::exists(folders.DefaultPresetFile(), error) ? kLoadModeDefault
                                                                     : kLoadModeNew;
}

void FormActivate(EditingContext& context) {
  // Closing a message box that a send opened gives the window the focus back; loading
  // then would start a load inside the load, and another at each of its boxes, without end.
  if (StepGroupsUnderWay()) {
    return;
  }
  LoadPresetFile(context, ActivationLoadMode(context.folders));
}

}  // namespace velmora

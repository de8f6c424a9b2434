#include "surface/files/PresetFileCommands.h"

#include <system_error>

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

#include "surface/PresetFileCommands.h"

#include <system_error>

#include "surface/PresetFile.h"

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
  LoadPresetFile(context, ActivationLoadMode(context.folders));
}

}  // namespace velmora

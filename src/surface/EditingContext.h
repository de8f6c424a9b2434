#pragma once

// What every editing operation works on: the window's controls, the window itself and the
// folders of the program's files. Tests give temporary folders.

#include "presets/ProgramFolder.h"
#include "surface/FormModel.h"
#include "surface/FormView.h"

namespace velmora {

struct EditingContext {
  FormModel& form;
  FormView& view;
  ProgramFolders folders;
};

}  // namespace velmora

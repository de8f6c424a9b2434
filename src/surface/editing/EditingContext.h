#pragma once

// What every editing operation works on: the window's controls, the window itself and the
// folders of the program's files. Tests give temporary folders.

#include "profile/ProgramFolder.h"
#include "surface/form/FormModel.h"
#include "surface/form/FormView.h"

namespace velmora {

struct EditingContext {
  FormModel& form;
  FormView& view;
  ProgramFolders folders;
};

}  // namespace velmora

#pragma once

// The keyboard shortcuts of a form as a text the player reads in the About window.

#include <string>

#include "surface/form/Form.h"

namespace velmora {

// One line per shortcut, "Ctrl+N   Nouveau", named by the pressed buttons' captions of the
// moment; a shortcut that presses no button is named by its work ("Monitor").
std::string ShortcutList(const Form& form, FormModel& model);

}  // namespace velmora

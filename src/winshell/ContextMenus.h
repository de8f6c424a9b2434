#pragma once

// The form's right-click menus, built from its rows each time one opens so that the
// captions follow the language. WM_CONTEXTMENU climbs from the control clicked (or from the
// focus, for Shift+F10 and the Menu key) to the window; the nearest control with a menu
// opens it.

#include <windows.h>

#include "surface/form/Form.h"
#include "winshell/ControlSet.h"

namespace velmora {

// The shortcut the entry picked presses; null when the control has no menu or nothing was
// picked. where is WM_CONTEXTMENU's: the pointer, or -1 for a key, which opens the menu
// below the control.
const Shortcut* PickFromContextMenu(const Form& form, const FormModel& model,
                                    const ControlSet& controls, HWND window, HWND clicked,
                                    LPARAM where);

}  // namespace velmora

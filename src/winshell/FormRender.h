#pragma once

// One function brings every control of a window in line with its form's bindings. It
// runs after every handler and whenever the core asks for a repaint; it never fires a
// handler: a selection set from code with CB_SETCURSEL sends nothing, and the list checks
// and the SysEx text are set while the window ignores their notifications.

#include <windows.h>

#include "surface/form/Form.h"
#include "winshell/ControlSet.h"

namespace velmora {

// The newest lines of the monitor log that the window shows.
inline constexpr int kShownLogLines = 500;

void RenderForm(const Form& form, FormModel& model, const ControlSet& controls);

// The bar at position at once: a themed bar would otherwise glide there after the pause.
void ShowProgress(HWND bar, int position);

}  // namespace velmora

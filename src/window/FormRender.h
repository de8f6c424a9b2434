#pragma once

// One function brings every control of a window in line with its form's bindings. It runs
// after every handler and whenever the core asks for a repaint; it never fires a handler
// (drop-down lists answer only the player's picks, and list checks are set with signals
// blocked).

#include "surface/form/Form.h"
#include "window/ControlSet.h"

namespace velmora {

// The newest lines of the monitor log that the window shows.
inline constexpr int kShownLogLines = 500;

void RenderForm(const Form& form, FormModel& model, const ControlSet& widgets, QWidget& window);

}  // namespace velmora

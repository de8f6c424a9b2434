#pragma once

// One function brings every widget of the main window in line with the form model. It
// runs after every handler and whenever the core asks for a repaint; it never fires a
// handler (drop-down lists answer only the player's picks, and list checks are set with
// signals blocked).

#include "surface/form/FormModel.h"
#include "window/ControlSet.h"

namespace velmora {

// The newest lines of the monitor log that the window shows.
inline constexpr int kShownLogLines = 500;

void RenderMainForm(FormModel& form, const ControlSet& widgets, QWidget& window, bool monitorShown);
void RenderAboutForm(AboutForm& about, const ControlSet& widgets, QWidget& window);

}  // namespace velmora

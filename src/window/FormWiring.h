#pragma once

// Connects every bound control of a window to its binding: clicks, drop-down picks, list
// checks, typed text, knob presses, the popup menus the labels open, and the form's
// shortcuts. The window needs no code of its own for any control.

#include <QWidget>

#include "surface/form/Form.h"
#include "surface/shell/FormDispatch.h"
#include "window/ControlSet.h"

namespace velmora {

void WireForm(const Form& form, const ControlSet& widgets, QWidget& window, FormDispatch& dispatch);

}  // namespace velmora

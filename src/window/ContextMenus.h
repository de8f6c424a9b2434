#pragma once

// The form's right-click menus: each built from its rows when it opens, in the language of
// the moment, its entries pressing the form's shortcuts.

#include <QWidget>

#include "surface/form/Form.h"
#include "surface/shell/FormDispatch.h"
#include "window/ControlSet.h"

namespace velmora {

void WireContextMenus(const Form& form, const FormModel& model, const ControlSet& widgets,
                      FormDispatch& dispatch);

// What the shortcut's keys do: a click on its button, or its handler.
void PressShortcut(const Shortcut& shortcut, const ControlSet& widgets, FormDispatch& dispatch);

}  // namespace velmora

#pragma once

// A knob as screen readers see it: the system's standard proxy for its window, with the
// slider's role, the value sent (0 to 127), and the value set turning the knob. The
// platform has no increment and decrement actions of its own: a screen reader sets a value
// above or below the current one, and the knob takes one step that way, as the arrow keys
// do; a knob moves by its sensitivity's steps only, as with the mouse.

#include <windows.h>

#include "winshell/ControlSet.h"

namespace velmora {

// The answer to WM_GETOBJECT for a knob's window; 0 for the objects the system answers.
LRESULT KnobAccessibleObject(Control& knob, WPARAM flags, LPARAM object);

}  // namespace velmora

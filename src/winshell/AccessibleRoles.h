#pragma once

// What screen readers learn of the painted controls through the system's standard proxies:
// a role for each painted class, a name (the caption, or the label in front of a knob), and
// a knob's value, 0 to 127, as it changes.

#include "winshell/ControlSet.h"

namespace velmora {

// Once the controls exist; COM is initialised on this thread.
void AnnotateControls(const ControlSet& controls);
// The knob's value as sent; announced when it differs from the last one.
void AnnotateKnobValue(Control& knob, int value);

}  // namespace velmora

#pragma once

// What screen readers see of the painted controls: a knob is a slider of the value sent,
// 0 to 127, that the platform's increment and decrement actions turn; a clickable label is
// a button (the knob menu) or a link. Names come from captions, or from the label in front
// of a control, in the current language.

#include <span>

#include "surface/form/ControlRow.h"
#include "window/ControlSet.h"

namespace velmora {

// Installs the interfaces above; once per program, before the first window shows.
void InstallAccessibleInterfaces();

// Ties each captionless control of the table to the label in front of it, whose text then
// names it for screen readers.
void NameByLabelsInFront(const ControlSet& widgets, std::span<const ControlEntry> table);

}  // namespace velmora

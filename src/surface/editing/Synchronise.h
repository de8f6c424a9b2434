#pragma once

// Re-sends the whole state the window shows, since nothing is ever read back from the rig:
// the guitar, each channel's amp, cab and knobs, and each channel's power, in the group
// order and with the pauses and progress of a preset load. No control's value changes.

#include "surface/editing/EditingContext.h"

namespace velmora {

// An error of the device layer ends it at that send with the bar hidden; what was sent
// stays sent.
void Synchronise(EditingContext& context);

void bttnSynchroClick(EditingContext& context);

}  // namespace velmora

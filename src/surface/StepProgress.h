#pragma once

// The progress bar that a preset load and a synchronise both drive: shown at 0, advanced
// by 10 after each group of messages, then run out to 100, back to 0 and hidden. Every
// change is drawn at once, since the thread blocks in the pauses between groups.

#include "surface/EditingContext.h"

namespace velmora {

// Shows the bar at position 0.
void BeginStepProgress(EditingContext& context);

// Ends a group: StepDelay, then the bar moves to position.
void EndStep(EditingContext& context, int position);

// 90, 100 and 0 one after the other without pause, then the bar is hidden.
void FinishStepProgress(EditingContext& context);

// An error ended the run: the bar is hidden where it stood.
void AbandonStepProgress(EditingContext& context);

}  // namespace velmora

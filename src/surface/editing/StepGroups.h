#pragma once

// The fixed sequence that a preset load and a synchronise share: the guitar, each channel's
// amp, cab and knobs, then each channel's power, with a pause after every group but the
// last and the progress bar advancing by 10 from 0 to 80, then running out to 90, 100 and
// 0 and hidden. Every change of the bar is drawn at once, since the thread blocks in the
// pauses.

#include <functional>

#include "surface/editing/EditingContext.h"

namespace velmora {

struct StepGroups {
  std::function<void()> guitar;
  std::function<void(Channel)> amp;
  std::function<void(Channel)> cab;
  std::function<void(Channel)> knobs;
  std::function<void(Channel)> power;
};

// Channel 1's cab goes out twice in its group, channel 2's once.
int CabGroupSends(Channel channel);

// An error ends the run where it arises with the bar hidden; what was done stays done.
void RunStepGroups(EditingContext& context, const StepGroups& groups);

// True while a run is under way on the user-interface thread, for instance while a message
// box that one of its sends opened is shown.
bool StepGroupsUnderWay();

}  // namespace velmora

#pragma once

// The live view's operations: F11 opens it on the first item of the pane's setlist, nothing
// sent. Its keys and the footswitch (from the notification thread) only ask for steps; the
// editing thread then goes to the last item asked for (see LiveSteps), in RunLiveSteps.

#include <cstddef>

#include "surface/editing/EditingContext.h"

namespace velmora {

inline constexpr std::string_view kLiveFormName = "TFormLive";

void OpenLiveView(EditingContext& context);

void LiveNext(EditingContext& context);
void LivePrevious(EditingContext& context);
void LiveFirst(EditingContext& context);
// A digit typed for "item N"; Enter goes to item N and forgets the digits.
void LiveDigit(EditingContext& context, char digit);
void LiveEnter(EditingContext& context);
void LiveToggleFullScreen(EditingContext& context);
void LeaveLiveView(EditingContext& context);

// The editing thread, once a key or a footswitch may have asked for a step: goes where the
// steps were asked to go, and keeps in config.ini a binding that a learn just made.
void RunLiveSteps(EditingContext& context);

// Before each render of the shown live view: the position, labels and the last notice.
void RefreshLiveView(FormModel& form);

// The live view's input ports: every input port opens as the monitor opens it, its check
// set, so a footswitch works whether the monitor is shown or not. A port that fails to open
// is named in one error; the others stay open.
void OpenFootswitchInputs(EditingContext& context);

// The texts of the live view and the pane follow the language the switch button shows.
bool EnglishShown(const FormModel& form);

}  // namespace velmora

#pragma once

// The rig view: the chosen port's simulated rig (see SentRigs.h) as texts on its form. The
// send tap feeds the rigs at every send from start-up on; the texts are made only while the
// view is shown, and only when the port or its rig moved since they were last made.

#include <string_view>

#include "midi/Midi.h"
#include "surface/form/FormModel.h"

namespace velmora {

// What the view shows for a value nothing has set, or that a stored preset's recall made
// unknown.
inline constexpr std::string_view kUnknownRigValue = "—";

// From now on, every buffer output sends feeds the rig of its port in form.rig.sent.
void TapSendsForRigView(FormModel& form, TMidiOutput& output);

// Brings the view's texts in line with the rig of the chosen port (none while no port is
// chosen or the chosen one is missing).
void RefreshRigView(FormModel& form);

}  // namespace velmora

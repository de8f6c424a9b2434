#pragma once

// The live view: the current sound of the setlist in large type, the next one, the position
// and the load's progress, stepped by keys and the footswitch. F11 opens it beside the main
// window; F11 in it fills the screen and back; Escape leaves.

#include "live/LiveView.h"
#include "surface/form/Form.h"

namespace velmora {

const Form& LiveWindowForm();

}  // namespace velmora

#pragma once

// TForm3, the rig view: both channels, the guitar, the last preset recalled and the unknown
// messages of the simulated rig on the chosen port, and its last change lines. Ctrl+R shows
// it beside the main window, which keeps taking input.

#include <string_view>

#include "surface/form/Form.h"

namespace velmora {

inline constexpr std::string_view kRigFormName = "TForm3";

const Form& RigWindowForm();

}  // namespace velmora

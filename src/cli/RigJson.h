#pragma once

// The rig's state as one JSON object, every unknown value null:
// {"AMP1": {"amp": ..., "cab": ..., "power": "ON", "knobs": {"DRIVE": 64, ...}},
//  "AMP2": {...}, "guitar": "2 Telecaster modified", "preset": "USER 4C", "unknown": 0}

#include <string>

#include "rig/RigState.h"

namespace velmora {

std::string RigStateJson(const RigState& state);

}  // namespace velmora

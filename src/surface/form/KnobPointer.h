#pragma once

// Where a knob's pointer line ends for a knob value.

#include "surface/form/FormView.h"

namespace velmora {

inline constexpr int kKnobPictureSize = 25;
inline constexpr int kKnobPointerLength = 9;

// The centre of the 25 x 25 picture, where every pointer starts: (12, 12).
KnobPoint KnobPointerStart();

// The pointer turns clockwise through the top as the value grows: angle (v + 211) / 100
// radians, end point at distance 9, each coordinate rounded half to even.
KnobPoint KnobPointerEnd(int knobValue);

}  // namespace velmora

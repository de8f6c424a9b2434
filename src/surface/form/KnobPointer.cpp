#include "surface/form/KnobPointer.h"

#include <cmath>

namespace velmora {

namespace {

// Nearest whole number, halves to the even neighbour, whatever rounding mode is set.
int RoundHalfEven(double value) {
  const double lower = std::floor(value);
  const double fraction = value - lower;
  if (fraction > 0.5) {
    return static_cast<int>(lower) + 1;
  }
  if (fraction < 0.5) {
    return static_cast<int>(lower);
  }
  const int whole = static_cast<int>(lower);
  return whole % 2 == 0 ? whole : whole + 1;
}

}  // namespace

KnobPoint KnobPointerStart() {
  return {kKnobPictureSize / 2, kKnobPictureSize / 2};
}

KnobPoint KnobPointerEnd(int knobValue) {
  const double angle = (knobValue + 211) / 100.0;
  const KnobPoint centre = KnobPointerStart();
  return {centre.x + RoundHalfEven(kKnobPointerLength * std::cos(angle)),
          centre.y + RoundHalfEven(kKnobPointerLength * std::sin(angle))};
}

}  // namespace velmora

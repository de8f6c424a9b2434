#pragma once

// Outlines of the bodies and headstocks, on the 170 x 369 portrait frame: the guitar stands
// on its centre line with the nut and the bridge saddles at fixed heights, so parts line up
// whatever the body.

#include "Raster.h"

namespace pictures {

inline constexpr int kGuitarWidth = 170;
inline constexpr int kGuitarHeight = 369;
inline constexpr double kCentre = 85.0;
inline constexpr double kNutY = 84.0;
inline constexpr double kSaddleY = 318.0;

enum class Body {
  Tele,
  Strat,
  Carved,
  Firebird,
  Hollow,
  Wave,
  Semi,
  Archtop,
  Dreadnought,
  Resonator,
  Banjo,
  Modelling,
};

enum class Head { InLine, Split, Reverse, Slotted12, Small };

struct BodyOutline {
  Shape shape;
  double neckEnd = 0;  // where the fingerboard stops
  int frets = 22;
};

// Frets fall where an equal-tempered scale from the nut to the saddles puts them.
double FretY(int fret);

// widthScale narrows or widens the flat-top and archtop bodies (a parlour, a jumbo).
BodyOutline OutlineOf(Body body, double widthScale);
// The pickguard before it is trimmed to the body; a flat-top's lies beside its sound hole.
Shape GuardOf(Body body, double neckEnd);
Shape HeadstockOf(Head head);
// Tuner knob centres along the headstock, six or twelve pairs of x, y.
std::vector<double> TunersOf(Head head, bool twelveStrings);

}  // namespace pictures

#pragma once

// The small pictures beside the guitar: the five-way selector, the three pickup kinds and
// the logo.

#include "Raster.h"

namespace pictures {

inline constexpr int kSelectorWidth = 114;
inline constexpr int kSelectorHeight = 44;
inline constexpr int kPickupWidth = 25;
inline constexpr int kPickupHeight = 17;
inline constexpr int kLogoWidth = 120;
inline constexpr int kLogoHeight = 30;

// position 1 is the leftmost notch, 5 the rightmost.
Canvas DrawSelector(int position);
// kind 0 an empty route, 1 a single coil, 2 a humbucker.
Canvas DrawPickupPicture(int kind);
Canvas DrawLogo();

}  // namespace pictures

#pragma once

// The finish and fittings of each guitar picture, chosen by its bank and file name.

#include <array>
#include <string_view>

#include "GuitarDrawing.h"

namespace pictures {

// pickups: what the positions showing this picture use, neck to bridge (0, 1 or 2).
GuitarLook LookFor(std::string_view bank, std::string_view picture, std::array<int, 3> pickups);
// The red modelling guitar shown when a picture is missing.
GuitarLook FallbackLook();
// The guitar the window shows before any model is chosen.
GuitarLook StartLook();

}  // namespace pictures

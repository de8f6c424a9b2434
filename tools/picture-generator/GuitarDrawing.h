#pragma once

// One whole guitar picture from a description of its look.

#include <array>
#include <optional>

#include "GuitarShapes.h"
#include "Raster.h"

namespace pictures {

enum class Opening { None, FHoles, SoundHole, Resonator, Slash, DrumHead };

struct GuitarLook {
  Body body = Body::Strat;
  Head head = Head::InLine;
  double widthScale = 1.0;
  Paint finish = Solid(Hex(0x808080));
  Rgb edge = Hex(0x202020);
  Rgb headFace = Hex(0x202020);
  Rgb neck = Hex(0xC89A5A);
  Rgb fingerboard = Hex(0x3A2416);
  std::optional<Rgb> guard;
  // Neck, centre and bridge: 0 no pickup, 1 single coil, 2 humbucker.
  std::array<int, 3> pickups{};
  Rgb pickupCover = Hex(0x151515);
  Rgb hardware = Hex(0xC8CCD0);
  Opening opening = Opening::None;
  bool twelveStrings = false;
};

Canvas DrawGuitar(const GuitarLook& look);

}  // namespace pictures

#pragma once

// How a control of a resizable window follows its size: held to the left and top edges, as
// a fixed window's controls are, or to the right or bottom edge too. Held to both edges of a
// direction it grows with the window; to the far one alone it moves with it.

#include <span>
#include <string_view>

#include "surface/form/ControlRow.h"

namespace velmora {

enum Anchor : unsigned { kAnchorLeft = 1, kAnchorTop = 2, kAnchorRight = 4, kAnchorBottom = 8 };

struct AnchorRow {
  std::string_view control;
  unsigned anchors = kAnchorLeft | kAnchorTop;
};

// The control's place in a window grown by (grownWidth, grownHeight) over its design size.
Geometry Anchored(const Geometry& design, unsigned anchors, int grownWidth, int grownHeight);
// The control's anchors in the rows: left and top for a control without a row.
unsigned AnchorsOf(std::span<const AnchorRow> rows, std::string_view control);

}  // namespace velmora

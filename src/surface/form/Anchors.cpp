#include "surface/form/Anchors.h"

#include <algorithm>

namespace velmora {

Geometry Anchored(const Geometry& design, unsigned anchors, int grownWidth, int grownHeight) {
  Geometry place = design;
  if ((anchors & kAnchorRight) != 0) {
    if ((anchors & kAnchorLeft) != 0) {
      place.width = std::max(0, place.width + grownWidth);
    } else {
      place.left += grownWidth;
    }
  }
  if ((anchors & kAnchorBottom) != 0) {
    if ((anchors & kAnchorTop) != 0) {
      place.height = std::max(0, place.height + grownHeight);
    } else {
      place.top += grownHeight;
    }
  }
  return place;
}

unsigned AnchorsOf(std::span<const AnchorRow> rows, std::string_view control) {
  const auto found = std::ranges::find(rows, control, &AnchorRow::control);
  return found != rows.end() ? found->anchors : kAnchorLeft | kAnchorTop;
}

}  // namespace velmora

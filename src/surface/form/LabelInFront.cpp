#include "surface/form/LabelInFront.h"

#include <limits>

namespace velmora {

namespace {

bool Overlap(int firstStart, int firstLength, int secondStart, int secondLength) {
  return firstStart < secondStart + secondLength && secondStart < firstStart + firstLength;
}

// How far the label's end lies before the control, along the row or down the column; none
// when it is not in front of it.
int Distance(const Geometry& label, const Geometry& control, bool sameRow) {
  if (sameRow) {
    const int gap = control.left - (label.left + label.width);
    return Overlap(label.top, label.height, control.top, control.height) && gap >= 0
               ? gap
               : std::numeric_limits<int>::max();
  }
  const int gap = control.top - (label.top + label.height);
  return Overlap(label.left, label.width, control.left, control.width) && gap >= 0
             ? gap
             : std::numeric_limits<int>::max();
}

}  // namespace

std::string_view LabelInFront(std::span<const ControlEntry> table, const ControlEntry& control) {
  std::string_view best;
  int bestDistance = std::numeric_limits<int>::max();
  for (bool sameRow : {true, false}) {
    for (const ControlEntry& label : table) {
      if (label.kind != ControlKind::Label || label.parent != control.parent ||
          label.name == control.name) {
        continue;
      }
      const int distance = Distance(label.geometry, control.geometry, sameRow);
      if (distance < bestDistance) {
        bestDistance = distance;
        best = label.name;
      }
    }
  }
  return best;
}

bool NamedByLabelInFront(const ControlEntry& control) {
  switch (control.kind) {
    case ControlKind::ComboBox:
    case ControlKind::CheckList:
    case ControlKind::Memo:
    case ControlKind::Edit:
    case ControlKind::Knob:
      return true;
    case ControlKind::Label:
      // The factor on a channel screen, which opens the sensitivity menu.
      return control.name.starts_with("lblSensibiliteKnobs");
    default:
      return false;
  }
}

}  // namespace velmora

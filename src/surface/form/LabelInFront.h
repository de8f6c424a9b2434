#pragma once

// The label that names a control without a caption of its own, for screen readers: the
// caption a sighted player reads just before the control.

#include <span>
#include <string_view>

#include "surface/form/ControlRow.h"

namespace velmora {

// Among the labels of the same parent, the nearest one that ends left of the control on its
// row or ends above it over its columns (the row's on a tie); empty when there is none.
std::string_view LabelInFront(std::span<const ControlEntry> table, const ControlEntry& control);

// Whether the control takes the keyboard focus without a caption of its own to name it.
bool NamedByLabelInFront(const ControlEntry& control);

}  // namespace velmora

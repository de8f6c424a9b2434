#pragma once

// What the text styles, panel looks and button colour schemes of the rows stand for, shared
// by both window shells so that they draw the same pixels.

#include "surface/form/ControlRow.h"
#include "surface/form/FormModel.h"
#include "surface/form/FormView.h"

namespace velmora {

enum class TextAlign { Left, Centre, Right };

struct TextLook {
  int pixelSize = 12;
  bool bold = false;
  bool underline = false;
  Rgb colour;
  TextAlign align = TextAlign::Left;
  std::string_view family;  // empty: the toolkit's default
  // Not 0: a text too wide wraps on its blanks, then shrinks down to this size, then is cut
  // with an ellipsis (see FittedText.h). 0: one line as it comes.
  int leastPixelSize = 0;
};
TextLook LookOfStyle(TextStyle style);

// A gradient from top to bottom (or along the diagonal), a one-pixel border, and the text
// colour drawn on it.
struct GradientLook {
  Rgb first;
  Rgb last;
  Rgb border;
  Rgb text;
  bool diagonal = false;
};
GradientLook LookOfScheme(ColorScheme scheme);
GradientLook LookOfPanel(PanelLook look);

}  // namespace velmora

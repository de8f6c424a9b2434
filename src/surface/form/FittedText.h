#pragma once

// A label's text fitted to its box for a style that asks for it (see TextLook): wrapped on
// the blanks between words, then drawn smaller step by step down to the style's least size,
// and at that size cut with an ellipsis. Both shells measure with their own fonts and draw
// the lines this returns, so a long name on the stage reads the same in either.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct TextMeasure {
  // Pixels the text takes on one line at that font size.
  std::function<int(std::string_view text, int pixelSize)> width;
  // Pixels from one line's top to the next's.
  std::function<int(int pixelSize)> lineHeight;
};

struct FittedText {
  int pixelSize = 0;
  std::vector<std::string> lines;
  bool operator==(const FittedText&) const = default;
};

// Steps of 4 pixels from largest, least always tried last.
FittedText FitText(std::string_view text, int width, int height, int largest, int least,
                   const TextMeasure& measure);

}  // namespace velmora

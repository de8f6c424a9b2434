#pragma once

// The control table's looks in GDI terms: colours, fonts, gradients, and the backdrop a
// container paints behind the controls that sit on it.

#include <functional>
#include <map>
#include <utility>

#include <windows.h>

#include "surface/form/Looks.h"

namespace velmora {

COLORREF ToColorRef(Rgb colour);
// A colour darkened to 100 / factor percent, as a disabled caption shows.
Rgb Darker(Rgb colour, int percent);

// Fills rect with the look's gradient and draws its one-pixel border.
void PaintGradient(HDC dc, const RECT& rect, const GradientLook& look);

// What a panel (or a window) of that look shows behind its controls; a disabled panel's
// screen goes dark, like an unlit display.
void PaintBackdrop(HDC dc, const RECT& rect, PanelLook look, bool enabled);

// Paints through paint into a scratch bitmap of rect's size and lays it over dc with the
// opacity alpha (0..255): a disabled control's faded look.
void PaintFaded(HDC dc, const RECT& rect, BYTE alpha, const std::function<void(HDC)>& paint);

// The fonts of the text styles at one screen resolution, made once, freed together.
class FontSet {
 public:
  explicit FontSet(int dpi);
  ~FontSet();
  FontSet(const FontSet&) = delete;
  FontSet& operator=(const FontSet&) = delete;

  HFONT Of(TextStyle style) const;
  // The style's font at another size, for a text fitted to its label; made at first use.
  HFONT Sized(TextStyle style, int pixelSize) const;
  int Scale(int pixels) const { return MulDiv(pixels, dpi_, USER_DEFAULT_SCREEN_DPI); }

 private:
  int dpi_;
  HFONT fonts_[static_cast<int>(kLastTextStyle) + 1] = {};
  mutable std::map<std::pair<TextStyle, int>, HFONT> sized_;
};

}  // namespace velmora

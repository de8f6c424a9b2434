#pragma once

// A knob picture: a 25 x 25 canvas painted once (olive square, yellow disc) on which the
// core draws and erases pointer lines with a plain GDI pen. Nothing ever repaints the face,
// so a pointer erased in yellow leaves the disc as it was.

#include <windows.h>

#include "surface/form/FormView.h"

namespace velmora {

class KnobCanvas {
 public:
  KnobCanvas();
  ~KnobCanvas();
  KnobCanvas(const KnobCanvas&) = delete;
  KnobCanvas& operator=(const KnobCanvas&) = delete;

  void DrawPointer(Rgb colour, KnobPoint from, KnobPoint to);
  // The canvas stretched over rect (the knob's size on this screen).
  void Show(HDC dc, const RECT& rect) const;

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
};

}  // namespace velmora

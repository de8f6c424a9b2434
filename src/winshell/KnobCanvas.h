#pragma once

// A knob picture: a 25 x 25 canvas painted once (olive square, yellow disc) on which the
// core draws and erases pointer lines with a plain GDI pen. Nothing ever repaints the face,
// so a pointer erased in yellow leaves the disc as it was. The canvas has the knob's size on
// the screen it was made for, and the lines are drawn at that size, not stretched to it.

#include <windows.h>

#include "surface/form/FormView.h"
#include "surface/form/KnobPointer.h"

namespace velmora {

class KnobCanvas {
 public:
  // side: the knob's width and height on this screen, in pixels.
  explicit KnobCanvas(int side = kKnobPictureSize);
  ~KnobCanvas();
  KnobCanvas(const KnobCanvas&) = delete;
  KnobCanvas& operator=(const KnobCanvas&) = delete;

  void DrawPointer(Rgb colour, KnobPoint from, KnobPoint to);
  // The canvas over rect (stretched only after a move to a screen of another resolution).
  void Show(HDC dc, const RECT& rect) const;

 private:
  // A pixel of the 25 x 25 picture, the centre of its square on the canvas.
  int Scaled(int pixel) const;

  int side_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
};

}  // namespace velmora

#include "winshell/KnobCanvas.h"

#include "surface/editing/Knobs.h"
#include "surface/form/KnobPointer.h"
#include "winshell/Looks.h"
#include "winshell/PaintedControls.h"

namespace velmora {

namespace {

// One notch of a mouse wheel.
constexpr int kWheelNotch = WHEEL_DELTA;
// A knob on a channel that is off shows at half strength over a darker olive.
constexpr BYTE kDisabledOpacity = 128;

}  // namespace

KnobCanvas::KnobCanvas() {
  HDC screen = GetDC(nullptr);
  dc_ = CreateCompatibleDC(screen);
  bitmap_ = CreateCompatibleBitmap(screen, kKnobPictureSize, kKnobPictureSize);
  ReleaseDC(nullptr, screen);
  oldBitmap_ = SelectObject(dc_, bitmap_);
  const RECT all{0, 0, kKnobPictureSize, kKnobPictureSize};
  HBRUSH olive = CreateSolidBrush(ToColorRef(kKnobOlive));
  FillRect(dc_, &all, olive);
  DeleteObject(olive);
  HBRUSH yellow = CreateSolidBrush(ToColorRef(kKnobYellow));
  HPEN rim = CreatePen(PS_SOLID, 1, ToColorRef(kKnobYellow));
  HGDIOBJ oldBrush = SelectObject(dc_, yellow);
  HGDIOBJ oldPen = SelectObject(dc_, rim);
  Ellipse(dc_, 0, 0, kKnobPictureSize, kKnobPictureSize);
  SelectObject(dc_, oldBrush);
  SelectObject(dc_, oldPen);
  DeleteObject(yellow);
  DeleteObject(rim);
}

KnobCanvas::~KnobCanvas() {
  SelectObject(dc_, oldBitmap_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

void KnobCanvas::DrawPointer(Rgb colour, KnobPoint from, KnobPoint to) {
  HPEN pen = CreatePen(PS_SOLID, kKnobPenWidth, ToColorRef(colour));
  HGDIOBJ old = SelectObject(dc_, pen);
  MoveToEx(dc_, from.x, from.y, nullptr);
  LineTo(dc_, to.x, to.y);
  SelectObject(dc_, old);
  DeleteObject(pen);
}

void KnobCanvas::Show(HDC dc, const RECT& rect) const {
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, dc_, 0, 0,
             kKnobPictureSize, kKnobPictureSize, SRCCOPY);
}

void PaintKnob(HDC dc, const RECT& rect, const Control& knob) {
  if (ControlSet::Enabled(knob.hwnd)) {
    knob.knob->Show(dc, rect);
    return;
  }
  HBRUSH dark = CreateSolidBrush(ToColorRef(Darker(kKnobOlive, 200)));
  FillRect(dc, &rect, dark);
  DeleteObject(dark);
  PaintFaded(dc, rect, kDisabledOpacity, [&](HDC faded) { knob.knob->Show(faded, rect); });
}

bool KnobMouse(Control& knob, UINT message, WPARAM state) {
  switch (message) {
    case WM_LBUTTONDOWN:
      Notify(knob, kKnobLeft);
      return true;
    case WM_RBUTTONDOWN:
      Notify(knob, kKnobRight);
      return true;
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
      Notify(knob, kKnobMiddle);
      return true;
    // Up like a right press, down like a left press, one step per notch.
    case WM_MOUSEWHEEL:
      knob.wheelRemainder += GET_WHEEL_DELTA_WPARAM(state);
      while (knob.wheelRemainder >= kWheelNotch) {
        knob.wheelRemainder -= kWheelNotch;
        Notify(knob, kKnobRight);
      }
      while (knob.wheelRemainder <= -kWheelNotch) {
        knob.wheelRemainder += kWheelNotch;
        Notify(knob, kKnobLeft);
      }
      return true;
    default:
      return false;
  }
}

}  // namespace velmora

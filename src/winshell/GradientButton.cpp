// The gradient buttons: pressed while the left button holds them, clicked when it is
// released over them.

#include <string>
#include <utility>

#include <windowsx.h>

#include "winshell/PaintedControls.h"

namespace velmora {

namespace {

// A disabled button shows through at this opacity.
constexpr BYTE kDisabledOpacity = 115;

bool Inside(HWND hwnd, LPARAM where) {
  RECT rect;
  GetClientRect(hwnd, &rect);
  const POINT point{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
  return PtInRect(&rect, point) != FALSE;
}

void PaintFace(HDC dc, const RECT& rect, const Control& button) {
  GradientLook look = LookOfScheme(button.scheme);
  if (button.pressed) {
    std::swap(look.first, look.last);
  }
  PaintGradient(dc, rect, look);
  const int length = GetWindowTextLengthW(button.hwnd);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(button.hwnd, text.data(), length + 1);
  HGDIOBJ old = SelectObject(dc, button.set->Fonts().Of(TextStyle::ButtonText));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ToColorRef(look.text));
  RECT place = rect;
  OffsetRect(&place, 0, button.pressed ? 1 : 0);
  DrawTextW(dc, text.c_str(), length, &place, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
  SelectObject(dc, old);
}

}  // namespace

void PaintGradientButton(HDC dc, const RECT& rect, const Control& button) {
  PaintBackdropBehind(dc, button);
  if (ControlSet::Enabled(button.hwnd)) {
    PaintFace(dc, rect, button);
  } else {
    PaintFaded(dc, rect, kDisabledOpacity, [&](HDC faded) { PaintFace(faded, rect, button); });
  }
}

bool GradientButtonMouse(Control& button, UINT message, LPARAM where) {
  auto show = [&button](bool pressed) {
    if (button.pressed != pressed) {
      button.pressed = pressed;
      InvalidateRect(button.hwnd, nullptr, FALSE);
    }
  };
  switch (message) {
    case WM_LBUTTONDOWN:
      SetCapture(button.hwnd);
      show(true);
      return true;
    case WM_MOUSEMOVE:
      if (GetCapture() == button.hwnd) {
        show(Inside(button.hwnd, where));
      }
      return true;
    case WM_LBUTTONUP: {
      const bool click = GetCapture() == button.hwnd && Inside(button.hwnd, where);
      ReleaseCapture();
      show(false);
      if (click) {
        Notify(button, kControlClicked);
      }
      return true;
    }
    case WM_CAPTURECHANGED:
      show(false);
      return true;
    default:
      return false;
  }
}

}  // namespace velmora

// The keyboard on the painted controls. A click does not move the focus to them, as on the
// Qt window; Tab does.

#include "surface/form/ControlRow.h"
#include "winshell/PaintedControls.h"

namespace velmora {

namespace {

// The lParam bit of WM_KEYDOWN set for a key held down: one press, one click.
constexpr LPARAM kRepeatBit = 1 << 30;

bool Clickable(const ControlEntry& entry) {
  return entry.kind == ControlKind::GradientButton ||
         (entry.kind == ControlKind::Label && entry.name.starts_with("lblSensibiliteKnobs")) ||
         (entry.kind == ControlKind::Label && entry.style == TextStyle::Link);
}

WORD KnobCode(WPARAM key) {
  const bool large = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  switch (key) {
    case VK_DOWN:
    case VK_LEFT:
      return large ? kKnobLeftLarge : kKnobLeft;
    case VK_UP:
    case VK_RIGHT:
      return large ? kKnobRightLarge : kKnobRight;
    default:
      return 0;
  }
}

}  // namespace

bool TakesFocus(const ControlEntry& entry) {
  return Clickable(entry) || entry.kind == ControlKind::Knob;
}

bool KeyboardMessage(const Control& control, UINT message, WPARAM key, LPARAM detail,
                     LRESULT& result) {
  const ControlEntry& entry = *control.entry;
  switch (message) {
    case WM_GETDLGCODE: {
      // Labels are what the accessibility proxies name the next control by.
      const auto* queued = reinterpret_cast<const MSG*>(detail);
      const bool press = queued != nullptr && queued->message == WM_KEYDOWN &&
                         (queued->wParam == VK_RETURN || queued->wParam == VK_SPACE);
      result = entry.kind == ControlKind::Knob    ? DLGC_WANTARROWS
               : Clickable(entry)                 ? (press ? DLGC_WANTMESSAGE : DLGC_BUTTON)
               : entry.kind == ControlKind::Label ? DLGC_STATIC
                                                  : 0;
      return true;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(control.hwnd, nullptr, FALSE);
      result = 0;
      return true;
    case WM_KEYDOWN:
      if ((detail & kRepeatBit) != 0 && Clickable(entry)) {
        result = 0;
        return true;
      }
      if (Clickable(entry) && (key == VK_SPACE || key == VK_RETURN)) {
        Notify(control, entry.kind == ControlKind::Label ? kKeyClicked : kControlClicked);
        result = 0;
        return true;
      }
      if (entry.kind == ControlKind::Knob && KnobCode(key) != 0) {
        Notify(control, KnobCode(key));
        result = 0;
        return true;
      }
      return false;
    default:
      return false;
  }
}

void PaintFocusRing(HDC dc, const RECT& rect, const Control& control) {
  if (GetFocus() != control.hwnd) {
    return;
  }
  const ControlEntry& entry = *control.entry;
  const Rgb colour = entry.kind == ControlKind::GradientButton ? LookOfScheme(control.scheme).text
                     : entry.kind == ControlKind::Knob ? LookOfStyle(TextStyle::Screen).colour
                                                       : LookOfStyle(entry.style).colour;
  HPEN pen = CreatePen(PS_DOT, 1, ToColorRef(colour));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  SetBkMode(dc, TRANSPARENT);
  Rectangle(dc, rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

}  // namespace velmora

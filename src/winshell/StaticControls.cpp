// Labels and pictures: what lies behind them, then their text or picture.

#include <string>

#include "winshell/PaintedControls.h"

namespace velmora {

void PaintLabel(HDC dc, const RECT& rect, const Control& label) {
  PaintBackdropBehind(dc, label);
  const int length = GetWindowTextLengthW(label.hwnd);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(label.hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  const TextLook look = LookOfStyle(label.entry->style);
  const Rgb colour = ControlSet::Enabled(label.hwnd) ? look.colour : Darker(look.colour, 140);
  // A text of several lines (the About window's shortcuts) starts at the top.
  const bool lines = text.find(L'\n') != std::wstring::npos;
  UINT format = (lines ? DT_TOP : DT_SINGLELINE | DT_VCENTER) | DT_NOPREFIX;
  switch (look.align) {
    case TextAlign::Left:
      format |= DT_LEFT;
      break;
    case TextAlign::Centre:
      format |= DT_CENTER;
      break;
    case TextAlign::Right:
      format |= DT_RIGHT;
      break;
  }
  HGDIOBJ old = SelectObject(dc, label.set->Fonts().Of(label.entry->style));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ToColorRef(colour));
  RECT place = rect;
  DrawTextW(dc, text.c_str(), length, &place, format);
  SelectObject(dc, old);
}

void PaintPictureBox(HDC dc, const RECT& rect, const Control& picture) {
  PaintBackdropBehind(dc, picture);
  if (picture.image) {
    DrawPicture(dc, rect, *picture.image);
  }
}

}  // namespace velmora

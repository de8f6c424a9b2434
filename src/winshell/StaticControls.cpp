// Labels and pictures: what lies behind them, then their text or picture.

#include <string>

#include "surface/form/FittedText.h"
#include "winshell/PaintedControls.h"
#include "winshell/Utf16.h"

namespace velmora {

namespace {

// A text that a style fits to its label (see FittedText.h), its lines centred on the height.
void PaintFitted(HDC dc, const RECT& rect, const Control& label, const std::wstring& text,
                 const TextLook& look, UINT align) {
  const FontSet& fonts = label.set->Fonts();
  const TextStyle style = label.entry->style;
  const TextMeasure measure{
      .width =
          [&](std::string_view line, int size) {
            SelectObject(dc, fonts.Sized(style, size));
            const std::wstring wide = ToUtf16(line);
            SIZE extent{};
            GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
            return static_cast<int>(extent.cx);
          },
      .lineHeight =
          [&](int size) {
            SelectObject(dc, fonts.Sized(style, size));
            TEXTMETRICW metrics{};
            GetTextMetricsW(dc, &metrics);
            return static_cast<int>(metrics.tmHeight);
          },
  };
  const FittedText fitted = FitText(ToUtf8(text), rect.right - rect.left, rect.bottom - rect.top,
                                    look.pixelSize, look.leastPixelSize, measure);
  const int line = measure.lineHeight(fitted.pixelSize);
  int top = rect.top + (rect.bottom - rect.top - line * static_cast<int>(fitted.lines.size())) / 2;
  for (const std::string& each : fitted.lines) {
    const std::wstring wide = ToUtf16(each);
    RECT place{rect.left, top, rect.right, top + line};
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &place,
              align | DT_SINGLELINE | DT_TOP | DT_NOPREFIX);
    top += line;
  }
}

}  // namespace

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
  if (look.leastPixelSize > 0) {
    PaintFitted(dc, rect, label, text, look, format & (DT_LEFT | DT_CENTER | DT_RIGHT));
  } else {
    RECT place = rect;
    DrawTextW(dc, text.c_str(), length, &place, format);
  }
  SelectObject(dc, old);
}

void PaintPictureBox(HDC dc, const RECT& rect, const Control& picture) {
  PaintBackdropBehind(dc, picture);
  if (picture.image) {
    DrawPicture(dc, rect, *picture.image);
  }
}

}  // namespace velmora

#include "winshell/Looks.h"

#include <cwchar>

#include "winshell/Utf16.h"

namespace velmora {

namespace {

// The face used where a style names none, or names one this machine lacks.
constexpr const wchar_t* kDefaultFace = L"Tahoma";

TRIVERTEX Vertex(LONG x, LONG y, Rgb colour) {
  return {x,
          y,
          static_cast<COLOR16>(colour.red << 8),
          static_cast<COLOR16>(colour.green << 8),
          static_cast<COLOR16>(colour.blue << 8),
          0};
}

Rgb Middle(Rgb a, Rgb b) {
  return {static_cast<std::uint8_t>((a.red + b.red) / 2),
          static_cast<std::uint8_t>((a.green + b.green) / 2),
          static_cast<std::uint8_t>((a.blue + b.blue) / 2)};
}

bool FaceInstalled(const std::wstring& face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  wcsncpy(wanted.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(
      screen, &wanted,
      [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
        *reinterpret_cast<bool*>(found) = true;
        return 0;
      },
      reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

HFONT MakeFont(const TextLook& look, int height) {
  std::wstring face = ToUtf16(look.family);
  if (face.empty() || !FaceInstalled(face)) {
    face = kDefaultFace;
  }
  return CreateFontW(-height, 0, 0, 0, look.bold ? FW_BOLD : FW_NORMAL, FALSE,
                     look.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, VARIABLE_PITCH | FF_SWISS,
                     face.c_str());
}

}  // namespace

COLORREF ToColorRef(Rgb colour) {
  return RGB(colour.red, colour.green, colour.blue);
}

Rgb Darker(Rgb colour, int percent) {
  auto part = [percent](std::uint8_t value) {
    return static_cast<std::uint8_t>(value * 100 / percent);
  };
  return {part(colour.red), part(colour.green), part(colour.blue)};
}

void PaintGradient(HDC dc, const RECT& rect, const GradientLook& look) {
  if (look.diagonal) {
    const Rgb middle = Middle(look.first, look.last);
    TRIVERTEX corners[4] = {
        Vertex(rect.left, rect.top, look.first), Vertex(rect.right, rect.top, middle),
        Vertex(rect.right, rect.bottom, look.last), Vertex(rect.left, rect.bottom, middle)};
    GRADIENT_TRIANGLE halves[2] = {{0, 1, 2}, {0, 2, 3}};
    GradientFill(dc, corners, 4, halves, 2, GRADIENT_FILL_TRIANGLE);
  } else {
    TRIVERTEX ends[2] = {Vertex(rect.left, rect.top, look.first),
                         Vertex(rect.right, rect.bottom, look.last)};
    GRADIENT_RECT whole = {0, 1};
    GradientFill(dc, ends, 2, &whole, 1, GRADIENT_FILL_RECT_V);
  }
  HBRUSH border = CreateSolidBrush(ToColorRef(look.border));
  FrameRect(dc, &rect, border);
  DeleteObject(border);
}

void PaintBackdrop(HDC dc, const RECT& rect, PanelLook look, bool enabled) {
  if (look == PanelLook::None) {
    return;
  }
  GradientLook gradient = LookOfPanel(look);
  if (!enabled) {
    gradient.first = Darker(gradient.first, 200);
    gradient.last = gradient.first;
  }
  PaintGradient(dc, rect, gradient);
  if (look == PanelLook::Sunken) {
    HPEN dark = CreatePen(PS_SOLID, 1, RGB(10, 10, 10));
    HPEN light = CreatePen(PS_SOLID, 1, RGB(150, 150, 150));
    HGDIOBJ old = SelectObject(dc, dark);
    MoveToEx(dc, rect.right - 1, rect.top, nullptr);
    LineTo(dc, rect.left, rect.top);
    LineTo(dc, rect.left, rect.bottom);
    SelectObject(dc, light);
    MoveToEx(dc, rect.left + 1, rect.bottom - 1, nullptr);
    LineTo(dc, rect.right - 1, rect.bottom - 1);
    LineTo(dc, rect.right - 1, rect.top);
    SelectObject(dc, old);
    DeleteObject(dark);
    DeleteObject(light);
  }
}

void PaintFaded(HDC dc, const RECT& rect, BYTE alpha, const std::function<void(HDC)>& paint) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  HDC scratch = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
  HGDIOBJ old = SelectObject(scratch, bitmap);
  BitBlt(scratch, 0, 0, width, height, dc, rect.left, rect.top, SRCCOPY);
  SetViewportOrgEx(scratch, -rect.left, -rect.top, nullptr);
  paint(scratch);
  SetViewportOrgEx(scratch, 0, 0, nullptr);
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, 0};
  AlphaBlend(dc, rect.left, rect.top, width, height, scratch, 0, 0, width, height, blend);
  SelectObject(scratch, old);
  DeleteObject(bitmap);
  DeleteDC(scratch);
}

FontSet::FontSet(int dpi) : dpi_(dpi) {
  for (int style = 0; style <= static_cast<int>(kLastTextStyle); ++style) {
    const TextLook look = LookOfStyle(static_cast<TextStyle>(style));
    fonts_[style] = MakeFont(look, Scale(look.pixelSize));
  }
}

FontSet::~FontSet() {
  for (HFONT font : fonts_) {
    DeleteObject(font);
  }
  for (const auto& [size, font] : sized_) {
    DeleteObject(font);
  }
}

HFONT FontSet::Of(TextStyle style) const {
  return fonts_[static_cast<int>(style)];
}

HFONT FontSet::Sized(TextStyle style, int pixelSize) const {
  HFONT& font = sized_[{style, pixelSize}];
  if (font == nullptr) {
    font = MakeFont(LookOfStyle(style), Scale(pixelSize));
  }
  return font;
}

}  // namespace velmora

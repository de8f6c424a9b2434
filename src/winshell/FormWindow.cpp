#include "winshell/FormWindow.h"

#include "winshell/Utf16.h"

namespace velmora {

namespace {

constexpr const wchar_t* kFormClass = L"VelmoraForm";

void RegisterFormClass(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXW type{};
  if (GetClassInfoExW(instance, kFormClass, &type)) {
    return;
  }
  type.cbSize = sizeof(type);
  type.lpfnWndProc = proc;
  type.hInstance = instance;
  type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  type.lpszClassName = kFormClass;
  RegisterClassExW(&type);
  RegisterControlClasses(instance);
}

}  // namespace

FormWindow::~FormWindow() {
  if (hwnd_ != nullptr && IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

void FormWindow::CreateForm(std::span<const ControlEntry> table, DWORD style, DWORD extendedStyle,
                            HWND owner) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterFormClass(instance, Dispatch);
  const ControlEntry& form = table.front();
  RECT outer{0, 0, controls_.Scale(form.geometry.width), controls_.Scale(form.geometry.height)};
  AdjustWindowRectEx(&outer, style, FALSE, extendedStyle);
  CreateWindowExW(extendedStyle, kFormClass, ToUtf16(form.caption).c_str(), style | WS_CLIPCHILDREN,
                  CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top,
                  owner, nullptr, instance, this);
  controls_.Build(hwnd_, table);
  ready_ = true;
}

void FormWindow::Centre() {
  RECT area;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  RECT place;
  GetWindowRect(hwnd_, &place);
  const int width = place.right - place.left;
  const int height = place.bottom - place.top;
  SetWindowPos(hwnd_, nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT FormWindow::Proc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kDpiChanged) {
    // The new resolution's sizes, at the place the system suggests.
    controls_.Rescale(HIWORD(wParam));
    const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
    const ControlEntry& form = *controls_.Form().entry;
    RECT outer{0, 0, controls_.Scale(form.geometry.width), controls_.Scale(form.geometry.height)};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, outer.right - outer.left,
                 outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void FormWindow::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  RECT rect;
  GetClientRect(hwnd_, &rect);
  PaintBackdrop(dc, rect, controls_.Form().entry->look, true);
  EndPaint(hwnd_, &paint);
}

LRESULT CALLBACK FormWindow::Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* window =
        static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    window->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
  }
  auto* window = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  // Nothing to paint or answer before the controls exist.
  if (window == nullptr || !window->ready_) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  switch (message) {
    case WM_PAINT:
      window->Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    default:
      return window->Proc(message, wParam, lParam);
  }
}

}  // namespace velmora

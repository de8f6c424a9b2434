#include "winshell/ControlSet.h"

#include <commctrl.h>

#include <utility>

#include "surface/form/FormModel.h"
#include "surface/form/KnobPointer.h"
#include "winshell/KnobCanvas.h"
#include "winshell/PaintedControls.h"
#include "winshell/Utf16.h"

namespace velmora {

namespace {

constexpr const wchar_t* kPanelClass = L"VelmoraPanel";
constexpr const wchar_t* kLabelClass = L"VelmoraLabel";
constexpr const wchar_t* kPictureClass = L"VelmoraPicture";
constexpr const wchar_t* kButtonClass = L"VelmoraGradientButton";
constexpr const wchar_t* kKnobClass = L"VelmoraKnob";
// Control ids start here, in table order.
constexpr int kFirstId = 1000;
// The rows a drop-down list shows at once.
constexpr int kDropDownRows = 20;

Control* ControlOf(HWND hwnd) {
  return reinterpret_cast<Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void Paint(HDC dc, const RECT& rect, const Control& control) {
  switch (control.entry->kind) {
    case ControlKind::Label:
      PaintLabel(dc, rect, control);
      break;
    case ControlKind::Picture:
      PaintPictureBox(dc, rect, control);
      break;
    case ControlKind::GradientButton:
      PaintGradientButton(dc, rect, control);
      break;
    case ControlKind::Knob:
      PaintKnob(dc, rect, control);
      break;
    default:
      PaintBackdrop(dc, rect, control.entry->look, ControlSet::Enabled(control.hwnd));
      break;
  }
}

// Painted into a scratch bitmap first, so nothing flickers while a load redraws.
void PaintBuffered(HWND hwnd, const Control& control) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  RECT rect;
  GetClientRect(hwnd, &rect);
  HDC scratch = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, rect.right, rect.bottom);
  HGDIOBJ old = SelectObject(scratch, bitmap);
  Paint(scratch, rect, control);
  PaintFocusRing(scratch, rect, control);
  BitBlt(dc, 0, 0, rect.right, rect.bottom, scratch, 0, 0, SRCCOPY);
  SelectObject(scratch, old);
  DeleteObject(bitmap);
  DeleteDC(scratch);
  EndPaint(hwnd, &paint);
}

LRESULT CALLBACK PaintedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* control = static_cast<Control*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    control->hwnd = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
  }
  Control* control = ControlOf(hwnd);
  if (control == nullptr) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  if (LRESULT result = 0; KeyboardMessage(*control, message, wParam, lParam, result)) {
    return result;
  }
  switch (message) {
    case WM_PAINT:
      PaintBuffered(hwnd, *control);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETTEXT:
    case WM_ENABLE: {
      const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
      InvalidateRect(hwnd, nullptr, FALSE);
      return result;
    }
    // The system controls on a panel report to the panel: pass it on to the window.
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return SendMessageW(GetAncestor(hwnd, GA_ROOT), message, wParam, lParam);
    case WM_SETCURSOR:
      if (control->entry->style == TextStyle::Link) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
      if (control->entry->kind == ControlKind::Label) {
        Notify(*control, kControlClicked);
        return 0;
      }
      break;
    default:
      break;
  }
  if (control->entry->kind == ControlKind::GradientButton &&
      GradientButtonMouse(*control, message, lParam)) {
    return 0;
  }
  if (control->entry->kind == ControlKind::Knob && KnobMouse(*control, message, wParam)) {
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterPainted(HINSTANCE instance, const wchar_t* name, LPCWSTR cursor) {
  WNDCLASSEXW type{};
  type.cbSize = sizeof(type);
  type.lpfnWndProc = PaintedProc;
  type.hInstance = instance;
  type.hCursor = LoadCursorW(nullptr, cursor);
  type.lpszClassName = name;
  RegisterClassExW(&type);
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

void Notify(const Control& control, WORD code) {
  SendMessageW(GetAncestor(control.hwnd, GA_ROOT), WM_COMMAND, MAKEWPARAM(control.id, code),
               reinterpret_cast<LPARAM>(control.hwnd));
}

void RegisterControlClasses(HINSTANCE instance) {
  RegisterPainted(instance, kPanelClass, IDC_ARROW);
  RegisterPainted(instance, kLabelClass, IDC_ARROW);
  RegisterPainted(instance, kPictureClass, IDC_ARROW);
  RegisterPainted(instance, kButtonClass, IDC_HAND);
  RegisterPainted(instance, kKnobClass, IDC_HAND);
}

ControlSet::ControlSet() : fonts_(std::make_unique<FontSet>(ScreenDpi())) {}

ControlSet::~ControlSet() = default;

void ControlSet::Build(HWND window, const velmora::Form& form) {
  table_ = form.rows;
  form_ = std::make_unique<Control>();
  form_->entry = &form.rows.front();
  form_->set = this;
  form_->hwnd = window;
  byWindow_.emplace(window, form_.get());
  int id = kFirstId;
  for (const ControlEntry& entry : form.rows.subspan(1)) {
    auto control = std::make_unique<Control>();
    control->entry = &entry;
    control->set = this;
    control->id = id++;
    Control& made = *control;
    all_.push_back(std::move(control));
    byName_.emplace(std::string(entry.name), &made);
    if (entry.kind == ControlKind::PopupMenu) {
      continue;
    }
    HWND parent = entry.parent.empty() ? window : Window(entry.parent);
    made.hwnd = Make(parent, form, made);
    byWindow_.emplace(made.hwnd, &made);
  }
}

HWND ControlSet::Make(HWND parent, const velmora::Form& form, Control& control) {
  const ControlEntry& entry = *control.entry;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (entry.visible ? WS_VISIBLE : 0) |
                (TakesFocus(entry) ? WS_TABSTOP : 0);
  DWORD extended = 0;
  const wchar_t* type = kPanelClass;
  switch (entry.kind) {
    case ControlKind::Form:
    case ControlKind::Panel:
    case ControlKind::GradientPanel:
    case ControlKind::PopupMenu:
      style |= WS_CLIPCHILDREN;
      // Tab goes on into the controls on it.
      extended = WS_EX_CONTROLPARENT;
      break;
    case ControlKind::GradientButton:
      type = kButtonClass;
      break;
    case ControlKind::Label:
      type = kLabelClass;
      break;
    case ControlKind::Picture:
      type = kPictureClass;
      control.image = BuiltinPictureImage(BuiltinPicture(form, entry.name));
      break;
    case ControlKind::Knob:
      type = kKnobClass;
      control.knob = std::make_unique<KnobCanvas>(Scale(kKnobPictureSize));
      break;
    case ControlKind::Button:
      type = WC_BUTTONW;
      style |= BS_PUSHBUTTON | WS_TABSTOP;
      break;
    case ControlKind::ComboBox:
      type = WC_COMBOBOXW;
      style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
      break;
    case ControlKind::CheckList:
      type = WC_LISTVIEWW;
      style |= LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP;
      extended = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::Table:
      // Owner data: the list asks for the cells of the rows it paints, so 100 000 rows cost
      // it no more than 100.
      type = WC_LISTVIEWW;
      style |= LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP;
      extended = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::Memo:
      type = WC_EDITW;
      style |= ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL;
      extended = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::Edit:
      type = WC_EDITW;
      style |= ES_AUTOHSCROLL | WS_TABSTOP;
      extended = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::ProgressBar:
      type = PROGRESS_CLASSW;
      break;
  }
  HWND hwnd = CreateWindowExW(extended, type, ToUtf16(entry.caption).c_str(), style, 0, 0, 0, 0,
                              parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                              GetModuleHandleW(nullptr), &control);
  control.hwnd = hwnd;
  switch (entry.kind) {
    case ControlKind::ComboBox:
      SendMessageW(hwnd, CB_SETMINVISIBLE, kDropDownRows, 0);
      break;
    case ControlKind::CheckList: {
      ListView_SetExtendedListViewStyle(hwnd, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
      LVCOLUMNW column{};
      ListView_InsertColumn(hwnd, 0, &column);
      break;
    }
    case ControlKind::ProgressBar:
      SendMessageW(hwnd, PBM_SETRANGE32, ProgressBar::kMin, ProgressBar::kMax);
      break;
    case ControlKind::Table:
      ListView_SetExtendedListViewStyle(hwnd, LVS_EX_FULLROWSELECT);
      break;
    default:
      break;
  }
  Fit(control);
  return hwnd;
}

void ControlSet::Fit(const Control& control) const {
  const ControlEntry& entry = *control.entry;
  const int width = Scale(entry.geometry.width);
  const int height = Scale(entry.geometry.height);
  // A drop-down list's window holds its open list too.
  const int windowHeight =
      entry.kind == ControlKind::ComboBox ? height * (kDropDownRows + 1) : height;
  SetWindowPos(control.hwnd, nullptr, Scale(entry.geometry.left), Scale(entry.geometry.top), width,
               windowHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  const TextStyle font = entry.kind == ControlKind::GradientButton ? TextStyle::ButtonText
                         : entry.kind == ControlKind::Label        ? entry.style
                                                                   : TextStyle::Normal;
  SendMessageW(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_->Of(font)), TRUE);
  if (entry.kind == ControlKind::ComboBox) {
    // The closed box as high as the table says.
    SendMessageW(control.hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height - Scale(6));
  } else if (entry.kind == ControlKind::CheckList) {
    ListView_SetColumnWidth(control.hwnd, 0, width - GetSystemMetrics(SM_CXVSCROLL) - Scale(4));
  }
}

void ControlSet::Rescale(int dpi) {
  // The controls let go of the old fonts before they are freed.
  const std::unique_ptr<FontSet> old = std::exchange(fonts_, std::make_unique<FontSet>(dpi));
  for (const auto& control : all_) {
    if (control->hwnd != nullptr) {
      Fit(*control);
    }
  }
  RedrawWindow(form_->hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

Control* ControlSet::Find(std::string_view name) const {
  const auto found = byName_.find(std::string(name));
  return found == byName_.end() ? nullptr : found->second;
}

HWND ControlSet::Window(std::string_view name) const {
  const Control* control = Find(name);
  return control == nullptr ? nullptr : control->hwnd;
}

Control* ControlSet::OfId(int id) const {
  const int index = id - kFirstId;
  return index >= 0 && index < static_cast<int>(all_.size()) ? all_[index].get() : nullptr;
}

Control* ControlSet::OfWindow(HWND hwnd) const {
  const auto found = byWindow_.find(hwnd);
  return found == byWindow_.end() ? nullptr : found->second;
}

bool ControlSet::Enabled(HWND hwnd) {
  for (HWND step = hwnd; step != nullptr && (GetWindowLongPtrW(step, GWL_STYLE) & WS_CHILD);
       step = GetParent(step)) {
    if (!IsWindowEnabled(step)) {
      return false;
    }
  }
  return true;
}

void PaintBackdropBehind(HDC dc, const Control& child) {
  HWND parent = GetParent(child.hwnd);
  const Control* container = child.set->OfWindow(parent);
  if (container == nullptr) {
    return;
  }
  RECT area;
  GetClientRect(parent, &area);
  POINT origin{0, 0};
  MapWindowPoints(child.hwnd, parent, &origin, 1);
  POINT old;
  SetViewportOrgEx(dc, -origin.x, -origin.y, &old);
  PaintBackdrop(dc, area, container->entry->look, ControlSet::Enabled(parent));
  SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

}  // namespace velmora

#include "winshell/FormWindow.h"

#include <string>

#include "winshell/AccessibleRoles.h"
#include "winshell/ContextMenus.h"
#include "winshell/FormRender.h"
#include "winshell/Utf16.h"
#include "winshell/WindowPlace.h"

namespace velmora {

namespace {

constexpr const wchar_t* kFormClass = L"VelmoraForm";
// The timer of a form's work while it is shown, and how often it runs: often enough that a
// file another program drops in shows while the player looks.
constexpr UINT_PTR kWhileShownTimer = 0x5653;
constexpr UINT kWhileShownMs = 2000;

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

FormWindow::FormWindow(const Form& form, FormModel& model, FormDispatch& dispatch)
    : form_(form), model_(model), dispatch_(dispatch) {}

FormWindow::~FormWindow() {
  if (open_ && owner_ != nullptr && Resizable(form_)) {
    KeepPlace(hwnd_, configFile_, form_);
  }
  for (const auto& [name, menu] : popups_) {
    DestroyMenu(menu);
  }
  for (HACCEL table : {shortcuts_, shortcutsWhileBusy_}) {
    if (table != nullptr) {
      DestroyAcceleratorTable(table);
    }
  }
  if (hwnd_ != nullptr && IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

void FormWindow::Create(HWND owner) {
  owner_ = owner;
  // Not before: the main window hands its dispatch to this base before making it.
  configFile_ = dispatch_.Folders().ConfigFile();
  const DWORD style = owner == nullptr ? WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU
                                       : WS_POPUP | WS_CAPTION | WS_SYSMENU |
                                             (Resizable(form_) ? WS_THICKFRAME : 0);
  const DWORD extendedStyle = owner == nullptr ? 0 : WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterFormClass(instance, Dispatch);
  const ControlEntry& window = form_.rows.front();
  RECT outer{0, 0, controls_.Scale(window.geometry.width), controls_.Scale(window.geometry.height)};
  AdjustWindowRectEx(&outer, style, FALSE, extendedStyle);
  CreateWindowExW(extendedStyle, kFormClass, ToUtf16(window.caption).c_str(),
                  style | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
                  outer.bottom - outer.top, owner, nullptr, instance, this);
  controls_.Build(hwnd_, form_);
  AnnotateControls(controls_);
  FollowTabOrder();
  for (const ControlEntry& row : form_.rows) {
    const Binding* binding = FindBinding(form_, row.name);
    if (row.kind != ControlKind::PopupMenu || binding == nullptr) {
      continue;
    }
    HMENU menu = CreatePopupMenu();
    for (std::size_t i = 0; i < binding->menu.size(); ++i) {
      AppendMenuW(menu, MF_STRING, i + 1, ToUtf16(binding->menu[i].caption).c_str());
    }
    popups_.emplace(row.name, menu);
  }
  BuildShortcuts();
  ready_ = true;
}

void FormWindow::Open() {
  if (!form_.modal && open_) {
    // Shown already: to the front where the player left it.
    SetForegroundWindow(hwnd_);
    return;
  }
  open_ = true;
  Render();
  if (!Resizable(form_) || !RestorePlace(hwnd_, configFile_, form_, controls_)) {
    Centre();
  }
  if (form_.whileShown != nullptr) {
    SetTimer(hwnd_, kWhileShownTimer, kWhileShownMs, nullptr);
  }
  if (!form_.modal) {
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    if (HWND first = controls_.Window(form_.focus)) {
      SetFocus(first);
    }
    return;
  }
  // Modal: the owner takes no input until this one is closed.
  EnableWindow(owner_, FALSE);
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  RunModal();
  EnableWindow(owner_, TRUE);
  ShowWindow(hwnd_, SW_HIDE);
  SetForegroundWindow(owner_);
}

void FormWindow::RunModal() {
  MSG message;
  while (open_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // The program is ending: leave the quit message for the main loop.
      PostQuitMessage(got == 0 ? static_cast<int>(message.wParam) : 1);
      break;
    }
    // Escape closes it, as it closes any dialog.
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE &&
        GetAncestor(message.hwnd, GA_ROOT) == hwnd_) {
      open_ = false;
      continue;
    }
    if (TakeShortcut(message) || TakeDialogKey(message)) {
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  open_ = false;
}

void FormWindow::Close() {
  KillTimer(hwnd_, kWhileShownTimer);
  if (open_ && Resizable(form_)) {
    KeepPlace(hwnd_, configFile_, form_);
  }
  open_ = false;
  if (!form_.modal) {
    ShowWindow(hwnd_, SW_HIDE);
  }
}

void FormWindow::Render() {
  // The main window is rendered from its creation on, any other while it is shown.
  if (owner_ != nullptr && !open_) {
    return;
  }
  rendering_ = true;
  RenderForm(form_, model_, controls_);
  rendering_ = false;
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

void FormWindow::OnCommand(int id, WORD code) {
  Control* control = controls_.OfId(id);
  const Binding* binding = control != nullptr ? FindBinding(form_, control->entry->name) : nullptr;
  if (binding == nullptr || rendering_) {
    return;
  }
  switch (control->entry->kind) {
    case ControlKind::GradientButton:
    case ControlKind::Button:
      if ((code == kControlClicked || code == kKeyClicked) && binding->Runs()) {
        dispatch_.Run(*binding);
      }
      break;
    case ControlKind::ComboBox:
      OnComboBox(*control, *binding, code);
      break;
    case ControlKind::Label:
      if (code != kControlClicked && code != kKeyClicked) {
        break;
      }
      if (!binding->opens.empty()) {
        OpenPopup(binding->opens, PopupPlace(*control, code));
      } else if (binding->Runs()) {
        dispatch_.Run(*binding);
      }
      break;
    case ControlKind::Knob: {
      const bool large = code == kKnobLeftLarge || code == kKnobRightLarge;
      const MouseButton button = code == kKnobLeft || code == kKnobLeftLarge ? MouseButton::Left
                                 : code == kKnobRight || code == kKnobRightLarge
                                     ? MouseButton::Right
                                     : MouseButton::Middle;
      dispatch_.Run(*binding, -1, false, button, large);
      break;
    }
    case ControlKind::Edit:
      if (code == EN_CHANGE) {
        const int length = GetWindowTextLengthW(control->hwnd);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        GetWindowTextW(control->hwnd, text.data(), length + 1);
        text.resize(static_cast<std::size_t>(length));
        dispatch_.KeepText(*binding, ToUtf8(text));
      }
      break;
    default:
      break;
  }
}

LRESULT FormWindow::Proc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const WORD id = LOWORD(wParam);
      const std::size_t shortcut = static_cast<std::size_t>(id) - kFirstShortcut;
      if (HIWORD(wParam) == 1 && id >= kFirstShortcut && shortcut < form_.shortcuts.size()) {
        PressShortcut(form_.shortcuts[shortcut]);
      } else {
        OnCommand(id, HIWORD(wParam));
      }
      return 0;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->code == LVN_ITEMCHANGED) {
        OnListCheck(*reinterpret_cast<const NMLISTVIEW*>(lParam));
      } else if (header->code == LVN_GETDISPINFOW) {
        OnTableCell(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
      } else if (header->code == NM_DBLCLK) {
        OnTableDoubleClick(*header);
      }
      return 0;
    }
    case WM_MOUSEWHEEL:
      OnWheel(wParam, lParam);
      return 0;
    case WM_CONTEXTMENU:
      if (const Shortcut* picked = PickFromContextMenu(form_, model_, controls_, hwnd_,
                                                       reinterpret_cast<HWND>(wParam), lParam)) {
        PressShortcut(*picked);
      }
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_SIZE:
      if (Resizable(form_)) {
        FollowAnchors(hwnd_, form_, controls_);
      }
      return 0;
    case WM_GETMINMAXINFO:
      if (Resizable(form_)) {
        // No smaller than designed.
        const Geometry& design = form_.rows.front().geometry;
        const SIZE smallest =
            OuterSize(hwnd_, controls_.Scale(design.width), controls_.Scale(design.height));
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {smallest.cx, smallest.cy};
      }
      return 0;
    case WM_TIMER:
      if (wParam == kWhileShownTimer && form_.whileShown != nullptr) {
        dispatch_.Run(form_.whileShown);
        return 0;
      }
      return DefWindowProcW(hwnd_, message, wParam, lParam);
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && open_ && form_.activated != nullptr) {
        dispatch_.Run(form_.activated);
      }
      return DefWindowProcW(hwnd_, message, wParam, lParam);
    case kDpiChanged: {
      // The new resolution's sizes, at the place the system suggests; then the model says
      // how the window stands now.
      controls_.Rescale(HIWORD(wParam));
      const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
      const ControlEntry& window = *controls_.Form().entry;
      RECT outer{0, 0, controls_.Scale(window.geometry.width),
                 controls_.Scale(window.geometry.height)};
      AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
      SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, outer.right - outer.left,
                   outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
      Render();
      return 0;
    }
    default:
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
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

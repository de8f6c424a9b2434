#include "winshell/MainWindow.h"

#include <string>

#include <commctrl.h>
#include <dbt.h>
#include <windowsx.h>

#include "surface/editing/About.h"
#include "surface/editing/Knobs.h"
#include "surface/editing/PortSelector.h"
#include "surface/form/ControlTable.h"
#include "surface/shell/MainWindowLife.h"
#include "surface/shell/Monitor.h"
#include "winshell/FormRender.h"
#include "winshell/InputDrop.h"
#include "winshell/Utf16.h"

namespace velmora {

namespace {

// The notification thread has queued monitor events.
constexpr UINT kDrainMonitor = WM_APP + 1;
// The window is on screen: the start-up's last step.
constexpr UINT kFirstActivation = WM_APP + 2;
// Ports may have come or gone (the MIDI platform's own watch).
constexpr UINT kPortsChanged = WM_APP + 3;
// Ctrl+M's command; far from the controls' ids.
constexpr WORD kToggleMonitor = 100;

bool IsKnobMenuLabel(std::string_view name) {
  return name == "lblSensibilite1" || name == "lblSensibilite2" ||
         name == "lblSensibiliteKnobsAMP1" || name == "lblSensibiliteKnobsAMP2";
}

}  // namespace

MainWindow::MainWindow(ProgramFolders folders, std::chrono::milliseconds stepDelay)
    : about_([this] { gate_.Run([this] { lblSiteLine6Click(view_); }); }),
      view_(
          controls_, [this] { Render(); }, [this] { about_.Run(form_.about); }, stepDelay),
      context_{form_, view_, std::move(folders)},
      gate_(context_, hub_,
            {[this] { Render(); }, [this] { return view_.TakePaused(); },
             [this] { DropPendingInput(); }}) {}

MainWindow::~MainWindow() {
  if (knobMenu_ != nullptr) {
    DestroyMenu(knobMenu_);
  }
  if (shortcuts_ != nullptr) {
    DestroyAcceleratorTable(shortcuts_);
  }
}

void MainWindow::Create() {
  CreateForm(MainFormControls(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 0, nullptr);
  about_.Create(Window());
  knobMenu_ = CreatePopupMenu();
  for (std::size_t i = 0; i < kKnobFactorMenu.size(); ++i) {
    AppendMenuW(knobMenu_, MF_STRING, i + 1, ToUtf16(kKnobFactorMenu[i].caption).c_str());
  }
  ACCEL toggle{FCONTROL | FVIRTKEY, 'M', kToggleMonitor};
  shortcuts_ = CreateAcceleratorTableW(&toggle, 1);
  hub_.SetWake([hwnd = Window()] { PostMessageW(hwnd, kDrainMonitor, 0, 0); });
  Render();
  gate_.Run([this] { FormCreate(context_, hub_); });
  WatchPortChanges([hwnd = Window()] { PostMessageW(hwnd, kPortsChanged, 0, 0); });
}

void MainWindow::Show() {
  Centre();
  ShowWindow(Window(), SW_SHOW);
  UpdateWindow(Window());
  gate_.Run([this] { FormShow(context_); });
  PostMessageW(Window(), kFirstActivation, 0, 0);
}

void MainWindow::Destroy() {
  WatchPortChanges({});
  FormDestroy(hub_);
}

bool MainWindow::TakeShortcut(MSG& message) {
  return message.hwnd != nullptr && GetAncestor(message.hwnd, GA_ROOT) == Window() &&
         TranslateAcceleratorW(Window(), shortcuts_, &message) != 0;
}

void MainWindow::Render() {
  rendering_ = true;
  RenderMainForm(form_, controls_, monitorShown_);
  rendering_ = false;
}

void MainWindow::ToggleMonitor() {
  monitorShown_ = !monitorShown_;
  Render();
}

void MainWindow::OnCommand(int id, WORD code) {
  Control* control = controls_.OfId(id);
  if (control == nullptr || rendering_) {
    return;
  }
  const std::string_view name = control->entry->name;
  switch (control->entry->kind) {
    case ControlKind::GradientButton:
      if (const ControlHandler handler = ClickHandler(name); handler && code == kControlClicked) {
        gate_.Run([this, handler] { handler(context_); });
      }
      break;
    case ControlKind::Button:
      if (code == BN_CLICKED && name == "btnSendSysEx") {
        gate_.Run([this] { btnSendSysExClick(context_); });
      }
      break;
    case ControlKind::ComboBox:
      OnComboBox(*control, code);
      break;
    case ControlKind::Label:
      if (code == kControlClicked && IsKnobMenuLabel(name)) {
        OpenKnobMenu();
      }
      break;
    case ControlKind::Knob:
      if (const std::optional<Knob> knob = BoundKnob(name)) {
        const MouseButton button = code == kKnobLeft    ? MouseButton::Left
                                   : code == kKnobRight ? MouseButton::Right
                                                        : MouseButton::Middle;
        gate_.Run([this, knob, button] { KnobMouseDown(context_, *knob, button); });
      }
      break;
    case ControlKind::Edit:
      if (code == EN_CHANGE && name == "edtSysExData") {
        const int length = GetWindowTextLengthW(control->hwnd);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        GetWindowTextW(control->hwnd, text.data(), length + 1);
        text.resize(static_cast<std::size_t>(length));
        form_.edtSysExData = ToUtf8(text);
      }
      break;
    default:
      break;
  }
}

void MainWindow::OnComboBox(const Control& box, WORD code) {
  // Only the player's picks: a selection set from code sends no CBN_SELCHANGE. While the
  // list is open, the arrow keys move the selection item by item; the pick is the item
  // chosen when it closes.
  const bool dropped = SendMessageW(box.hwnd, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
  if (code == CBN_SELCHANGE && dropped) {
    pendingPick_ = box.id;
    return;
  }
  const bool picked = code == CBN_SELCHANGE || (code == CBN_CLOSEUP && pendingPick_ == box.id);
  if (code == CBN_SELCHANGE || code == CBN_CLOSEUP) {
    pendingPick_ = 0;
  }
  const ControlHandler handler = PickHandler(box.entry->name);
  if (!picked || handler == nullptr) {
    return;
  }
  ComboBox* model = BoundComboBox(form_, box.entry->name);
  const int index = static_cast<int>(SendMessageW(box.hwnd, CB_GETCURSEL, 0, 0));
  gate_.Run([this, handler, model, index] {
    model->itemIndex = index;
    handler(context_);
  });
}

void MainWindow::OnListCheck(const NMLISTVIEW& change) {
  const bool checkChanged = (change.uChanged & LVIF_STATE) != 0 &&
                            ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) != 0 &&
                            (change.uOldState & LVIS_STATEIMAGEMASK) != 0;
  const Control* control = controls_.OfId(static_cast<int>(change.hdr.idFrom));
  if (rendering_ || !checkChanged || control == nullptr || change.iItem < 0) {
    return;
  }
  const bool checked = ListView_GetCheckState(change.hdr.hwndFrom, change.iItem) != FALSE;
  const int index = change.iItem;
  const bool input = control->entry->name == "lbxInputDevices";
  CheckListBox& model = input ? form_.lbxInputDevices : form_.lbxOutputDevices;
  if (static_cast<std::size_t>(index) >= model.checked.size()) {
    return;
  }
  gate_.Run([this, &model, index, checked, input] {
    model.checked[static_cast<std::size_t>(index)] = checked;
    model.itemIndex = index;
    if (input) {
      lbxInputDevicesClickCheck(context_);
    } else {
      lbxOutputDevicesClickCheck(context_, hub_);
    }
  });
}

void MainWindow::OnWheel(WPARAM wParam, LPARAM lParam) {
  // The wheel reaches the window with the focus; a knob turns when it is under the mouse.
  const POINT where{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const Control* control = controls_.OfWindow(WindowFromPoint(where));
  if (control != nullptr && control->entry->kind == ControlKind::Knob) {
    SendMessageW(control->hwnd, WM_MOUSEWHEEL, wParam, lParam);
  }
}

void MainWindow::OpenKnobMenu() {
  POINT where;
  GetCursorPos(&where);
  const int chosen =
      static_cast<int>(TrackPopupMenu(knobMenu_, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                      where.x, where.y, 0, Window(), nullptr));
  if (chosen > 0) {
    const int factor = kKnobFactorMenu[static_cast<std::size_t>(chosen - 1)].factor;
    gate_.Run([this, factor] { SetKnobFactor(context_, factor); });
  }
}

void MainWindow::RunFirstActivation() {
  // The default preset load shows its progress: the window is drawn before it starts.
  RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  gate_.Run([this] { MainWindowActivated(context_, Activation::FirstShow); });
}

bool MainWindow::Close() {
  // Closing in the middle of a handler (from a message box of a load, say) would write a
  // half-loaded state; the player closes again once it is done.
  return !gate_.Running() && gate_.Run([this] { FormClose(context_); });
}

LRESULT MainWindow::Proc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kToggleMonitor && HIWORD(wParam) == 1) {
        ToggleMonitor();
      } else {
        OnCommand(LOWORD(wParam), HIWORD(wParam));
      }
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->code == LVN_ITEMCHANGED) {
        OnListCheck(*reinterpret_cast<const NMLISTVIEW*>(lParam));
      }
      return 0;
    }
    case WM_MOUSEWHEEL:
      OnWheel(wParam, lParam);
      return 0;
    case kDrainMonitor:
      gate_.DrainMonitorLater();
      return 0;
    case kPortsChanged:
      gate_.RescanPortsLater();
      return 0;
    // A MIDI interface plugged in or pulled out.
    case WM_DEVICECHANGE:
      if (wParam == DBT_DEVNODES_CHANGED || wParam == DBT_DEVICEARRIVAL ||
          wParam == DBT_DEVICEREMOVECOMPLETE) {
        gate_.RescanPortsLater();
      }
      return TRUE;
    case kFirstActivation:
      RunFirstActivation();
      return 0;
    case kDpiChanged:
      // The base sizes the window as designed; the model says how it stands now.
      FormWindow::Proc(message, wParam, lParam);
      Render();
      return 0;
    case WM_CLOSE:
      if (Close()) {
        DestroyWindow(Window());
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return FormWindow::Proc(message, wParam, lParam);
  }
}

}  // namespace velmora

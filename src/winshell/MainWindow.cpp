#include "winshell/MainWindow.h"

#include <utility>

#include <dbt.h>

#include "surface/editing/PortSelector.h"
#include "surface/files/PresetFileCommands.h"
#include "surface/forms/MainForm.h"
#include "surface/shell/MainWindowLife.h"
#include "winshell/InputDrop.h"
#include "winshell/OneEditor.h"

namespace velmora {

namespace {

// The notification thread has queued monitor events.
constexpr UINT kDrainMonitor = WM_APP + 1;
// The window is on screen: the start-up's last step.
constexpr UINT kFirstActivation = WM_APP + 2;
// Ports may have come or gone (the MIDI platform's own watch).
constexpr UINT kPortsChanged = WM_APP + 3;
// A file handed over by a second start waits in fileToOpen_.
constexpr UINT kOpenHandedOver = WM_APP + 4;
// The timer that asks a refused close again.
constexpr UINT_PTR kCloseRetryTimer = 1;
constexpr UINT kCloseRetryMs = 100;

}  // namespace

MainWindow::MainWindow(ProgramFolders folders, std::chrono::milliseconds stepDelay)
    : FormWindow(MainWindowForm(), formModel_, formDispatch_),
      view_(
          controls_, [this] { RenderAll(); },
          [this](std::string_view form) { WindowOf(form).Open(); },
          [this](std::string_view form) { WindowOf(form).Close(); }, stepDelay),
      context_{formModel_, view_, std::move(folders)},
      openFile_([this] {
        if (fileToOpen_) {
          OpenGivenFile(context_, *std::exchange(fileToOpen_, std::nullopt));
        }
      }),
      gate_(context_, hub_,
            {[this] { RenderAll(); }, [this] { return view_.TakePaused(); },
             [this] { DropPendingInput([this](MSG& key) { TakeKeysWhileBusy(key); }); }}),
      formDispatch_(context_, hub_, gate_) {
  for (const Form* form : AllForms()) {
    if (form != &MainWindowForm()) {
      others_.emplace(form->id, std::make_unique<FormWindow>(*form, formModel_, formDispatch_));
    }
  }
}

MainWindow::~MainWindow() = default;

void MainWindow::Create() {
  FormWindow::Create(nullptr);
  OneEditor::Mark(Window());
  for (const auto& [id, window] : others_) {
    window->Create(Window());
  }
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

void MainWindow::RenderAll() {
  Render();
  for (const auto& [id, window] : others_) {
    window->Render();
  }
}

FormWindow& MainWindow::WindowOf(std::string_view form) {
  return *others_.at(form);
}

void MainWindow::RunFirstActivation() {
  // The default preset load shows its progress: the window is drawn before it starts.
  RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  gate_.Run([this] { MainWindowActivated(context_, Activation::FirstShow); });
  startupDone_ = true;
  if (fileToOpen_) {
    gate_.RunWhenIdle(openFile_);
  }
}

void MainWindow::OpenAfterStartUp(std::filesystem::path file) {
  fileToOpen_ = std::move(file);
  if (startupDone_) {
    gate_.RunWhenIdle(openFile_);
  }
}

void MainWindow::CloseWhenIdle() {
  if (Close(false)) {
    KillTimer(Window(), kCloseRetryTimer);
    DestroyWindow(Window());
    return;
  }
  SetTimer(Window(), kCloseRetryTimer, kCloseRetryMs, nullptr);
}

void MainWindow::Raise() {
  if (IsIconic(Window())) {
    ShowWindow(Window(), SW_RESTORE);
  }
  SetForegroundWindow(Window());
  // Wine's X11 driver cannot ask the window manager to focus a window it manages (it knows no
  // _NET_ACTIVE_WINDOW), so there the foreground changes for Windows alone; a restack is
  // passed on, and brings the editor up over the window that covered it.
  SetWindowPos(Window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool MainWindow::TakeKeys(MSG& message) {
  if (TakeShortcut(message) || TakeDialogKey(message)) {
    return true;
  }
  for (const auto& [id, window] : others_) {
    if (window->TakeShortcut(message) || window->TakeDialogKey(message)) {
      return true;
    }
  }
  return false;
}

bool MainWindow::TakeKeysWhileBusy(MSG& message) {
  for (const auto& [id, window] : others_) {
    if (window->TakeShortcutWhileBusy(message)) {
      return true;
    }
  }
  return false;
}

bool MainWindow::Close(bool byPlayer) {
  // Closing in the middle of a handler (from a message box of a load, say) would write a
  // half-loaded state; the player closes again once it is done.
  return !gate_.Running() && gate_.Run([this, byPlayer] {
    if (byPlayer) {
      FormCloseByPlayer(context_);
    } else {
      FormClose(context_);
    }
  });
}

LRESULT MainWindow::Proc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
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
    case WM_CLOSE:
      if (Close(true)) {
        DestroyWindow(Window());
      }
      return 0;
    // A second start's file: the sender waits for this answer, not for the load.
    case WM_COPYDATA:
      if (const auto handOver = OneEditor::Read(lParam)) {
        Raise();
        if (handOver->file) {
          fileToOpen_ = handOver->file;
          PostMessageW(Window(), kOpenHandedOver, 0, 0);
        }
        return TRUE;
      }
      return FALSE;
    case kOpenHandedOver:
      if (startupDone_ && fileToOpen_) {
        gate_.RunWhenIdle(openFile_);
      }
      return 0;
    case WM_TIMER:
      if (wParam == kCloseRetryTimer) {
        CloseWhenIdle();
        return 0;
      }
      return FormWindow::Proc(message, wParam, lParam);
    // The desktop session's end. A running handler (a message box of a load) holds it off,
    // and the editor closes once the handler is done; otherwise the close sequence writes
    // the files before the answer, after which the session may end the program.
    case WM_QUERYENDSESSION:
      if (gate_.Running()) {
        SetTimer(Window(), kCloseRetryTimer, kCloseRetryMs, nullptr);
        return FALSE;
      }
      return TRUE;
    case WM_ENDSESSION:
      if (wParam == TRUE) {
        CloseWhenIdle();
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

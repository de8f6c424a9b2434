#include "winshell/MainWindow.h"

#include <utility>

#include <dbt.h>

#include "surface/editing/PortSelector.h"
#include "surface/files/PresetFileCommands.h"
#include "surface/forms/MainForm.h"
#include "surface/shell/MainWindowLife.h"
#include "winshell/InputDrop.h"

namespace velmora {

namespace {

// The notification thread has queued monitor events.
constexpr UINT kDrainMonitor = WM_APP + 1;
// The window is on screen: the start-up's last step.
constexpr UINT kFirstActivation = WM_APP + 2;
// Ports may have come or gone (the MIDI platform's own watch).
constexpr UINT kPortsChanged = WM_APP + 3;

}  // namespace

MainWindow::MainWindow(ProgramFolders folders, std::chrono::milliseconds stepDelay)
    : FormWindow(MainWindowForm(), formModel_, formDispatch_),
      view_(
          controls_, [this] { RenderAll(); },
          [this](std::string_view form) { WindowOf(form).Open(); },
          [this](std::string_view form) { WindowOf(form).Close(); }, stepDelay),
      context_{formModel_, view_, std::move(folders)},
      gate_(context_, hub_,
            {[this] { RenderAll(); }, [this] { return view_.TakePaused(); },
             [this] { DropPendingInput(); }}),
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
    OpenAfterStartUp(*std::exchange(fileToOpen_, std::nullopt));
  }
}

void MainWindow::OpenAfterStartUp(std::filesystem::path file) {
  if (!startupDone_) {
    fileToOpen_ = std::move(file);
    return;
  }
  gate_.Run([this, &file] { OpenGivenFile(context_, file); });
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

bool MainWindow::Close() {
  // Closing in the middle of a handler (from a message box of a load, say) would write a
  // half-loaded state; the player closes again once it is done.
  return !gate_.Running() && gate_.Run([this] { FormClose(context_); });
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

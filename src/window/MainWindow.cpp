#include "window/MainWindow.h"

#include <utility>

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "surface/editing/PortSelector.h"
#include "surface/editing/StepGroups.h"
#include "surface/files/PresetFileCommands.h"
#include "surface/forms/MainForm.h"
#include "surface/shell/MainWindowLife.h"
#include "window/ContextMenus.h"
#include "window/FormRender.h"
#include "window/FormWiring.h"

namespace velmora {

namespace {

// How long the first activation waits for the window to be on screen before it loads
// anyway (a display without a window manager may never report it).
constexpr int kExposeWaitSteps = 50;
constexpr int kExposeWaitStepMs = 10;

}  // namespace

MainWindow::MainWindow(ProgramFolders folders, std::chrono::milliseconds stepDelay)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      view_(
          *this, widgets_, [this] { Render(); },
          [this](std::string_view form) { WindowOf(form).Open(); },
          [this](std::string_view form) { WindowOf(form).Close(); }, stepDelay),
      context_{form_, view_, std::move(folders)},
      openFile_([this] {
        if (fileToOpen_) {
          OpenGivenFile(context_, *std::exchange(fileToOpen_, std::nullopt));
        }
      }),
      gate_(context_, hub_,
            {[this] { Render(); }, [this] { return view_.TakePaused(); },
             [this] { input_drop_.DropPendingInput(); }}),
      dispatch_(context_, hub_, gate_),
      input_drop_(*this, [this] { return gate_.Running() || StepGroupsUnderWay(); }) {
  for (const velmora::Form* form : AllForms()) {
    if (form != &MainWindowForm()) {
      others_.emplace(form->id, new FormWindow(this, *form, form_, dispatch_));
    }
  }
  widgets_.Build(*this, MainWindowForm());
  hub_.SetWake([this] {
    QMetaObject::invokeMethod(
        this, [this] { gate_.DrainMonitorLater(); }, Qt::QueuedConnection);
  });
  WireForm(MainWindowForm(), widgets_, *this, dispatch_);
  WireContextMenus(MainWindowForm(), form_, widgets_, dispatch_);
  Render();
}

MainWindow::~MainWindow() = default;

void MainWindow::Create() {
  gate_.Run([this] { FormCreate(context_, hub_); });
  // The platform tells from a thread of its own; the rescan runs here, on the GUI thread.
  WatchPortChanges([this] {
    QMetaObject::invokeMethod(
        this, [this] { gate_.RescanPortsLater(); }, Qt::QueuedConnection);
  });
}

void MainWindow::Destroy() {
  WatchPortChanges({});
  FormDestroy(hub_);
}

void MainWindow::Render() {
  RenderForm(MainWindowForm(), form_, widgets_, *this);
  for (const auto& [id, window] : others_) {
    window->Render();
  }
}

FormWindow& MainWindow::WindowOf(std::string_view form) {
  return *others_.at(form);
}

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shown_) {
    return;
  }
  shown_ = true;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  gate_.Run([this] { FormShow(context_); });
  QTimer::singleShot(0, this, [this] { RunFirstActivation(); });
}

void MainWindow::RunFirstActivation() {
  // The default preset load shows its progress: wait until the window is on screen.
  if (windowHandle() != nullptr && !windowHandle()->isExposed() &&
      exposeWaits_++ < kExposeWaitSteps) {
    QTimer::singleShot(kExposeWaitStepMs, this, [this] { RunFirstActivation(); });
    return;
  }
  repaint();
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

void MainWindow::SaveNow() {
  if (!gate_.Running()) {
    gate_.Run([this] { FormClose(context_); });
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Closing in the middle of a handler (from a message box of a load, say) would write a
  // half-loaded state; the player closes again once it is done.
  // The close box and the window manager's close are spontaneous; a signal's close is not.
  const bool byPlayer = event->spontaneous();
  if (gate_.Running() || !gate_.Run([this, byPlayer] {
        if (byPlayer) {
          FormCloseByPlayer(context_);
        } else {
          FormClose(context_);
        }
      })) {
    event->ignore();
    return;
  }
  for (const auto& [id, window] : others_) {
    window->Close();
  }
  event->accept();
}

}  // namespace velmora

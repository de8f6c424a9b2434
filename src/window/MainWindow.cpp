#include "window/MainWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QWindow>

#include "surface/editing/About.h"
#include "surface/editing/Knobs.h"
#include "surface/editing/PortSelector.h"
#include "surface/editing/StepGroups.h"
#include "surface/form/ControlTable.h"
#include "surface/shell/MainWindowLife.h"
#include "surface/shell/Monitor.h"
#include "window/ClickLabel.h"
#include "window/FormRender.h"
#include "window/GradientButtonWidget.h"
#include "window/KnobWidget.h"

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
      about_(this, [this] { gate_.Run([this] { lblSiteLine6Click(view_); }); }),
      view_(
          *this, widgets_, [this] { Render(); }, [this] { about_.Run(form_.about); }, stepDelay),
      context_{form_, view_, std::move(folders)},
      gate_(context_, hub_,
            {[this] { Render(); }, [this] { return view_.TakePaused(); },
             [this] { input_drop_.DropPendingInput(); }}),
      input_drop_(*this, [this] { return gate_.Running() || StepGroupsUnderWay(); }) {
  widgets_.Build(*this, MainFormControls());
  knobMenu_ = widgets_.As<QMenu>("pmKnobs");
  for (const KnobFactorItem& item : kKnobFactorMenu) {
    QAction* action = knobMenu_->addAction(
        QString::fromUtf8(item.caption.data(), qsizetype(item.caption.size())));
    action->setObjectName(QString::fromUtf8(item.name.data(), qsizetype(item.name.size())));
    action->setData(item.factor);
  }
  hub_.SetWake([this] {
    QMetaObject::invokeMethod(
        this, [this] { gate_.DrainMonitorLater(); }, Qt::QueuedConnection);
  });
  Connect();
  auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_M), this);
  connect(shortcut, &QShortcut::activated, this, &MainWindow::ToggleMonitor);
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

void MainWindow::ToggleMonitor() {
  monitorShown_ = !monitorShown_;
  Render();
}

void MainWindow::Render() {
  RenderMainForm(form_, widgets_, *this, monitorShown_);
}

void MainWindow::Connect() {
  for (const auto& [control, widget] : widgets_.All()) {
    const std::string_view name = control->name;
    if (const ControlHandler handler = ClickHandler(name)) {
      connect(qobject_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, this,
              [this, handler] { gate_.Run([this, handler] { handler(context_); }); });
    }
    if (const ControlHandler handler = PickHandler(name)) {
      ComboBox* model = BoundComboBox(form_, name);
      connect(qobject_cast<QComboBox*>(widget), &QComboBox::activated, this,
              [this, handler, model](int index) {
                gate_.Run([this, handler, model, index] {
                  model->itemIndex = index;
                  handler(context_);
                });
              });
    }
  }
  for (std::string_view name : {"lblSensibilite1", "lblSensibilite2", "lblSensibiliteKnobsAMP1",
                                "lblSensibiliteKnobsAMP2"}) {
    connect(widgets_.As<ClickLabel>(name), &ClickLabel::clicked, this, [this] { OpenKnobMenu(); });
  }
  ConnectKnobs();
  ConnectMonitor();
}

void MainWindow::ConnectKnobs() {
  for (Knob knob : kAllKnobs) {
    auto* widget = widgets_.As<KnobWidget>("knob" + std::string(KnobName(knob)));
    connect(widget, &KnobWidget::pressed, this, [this, knob](MouseButton button) {
      gate_.Run([this, knob, button] { KnobMouseDown(context_, knob, button); });
    });
  }
}

void MainWindow::ConnectMonitor() {
  auto toggled = [this](const char* name, CheckListBox& model, auto handler) {
    auto* list = widgets_.As<QListWidget>(name);
    connect(list, &QListWidget::itemChanged, this,
            [this, list, &model, handler](QListWidgetItem* item) {
              const int index = list->row(item);
              gate_.Run([this, &model, handler, index, item] {
                model.checked[static_cast<std::size_t>(index)] = item->checkState() == Qt::Checked;
                model.itemIndex = index;
                handler();
              });
            });
  };
  toggled("lbxInputDevices", form_.lbxInputDevices,
          [this] { lbxInputDevicesClickCheck(context_); });
  toggled("lbxOutputDevices", form_.lbxOutputDevices,
          [this] { lbxOutputDevicesClickCheck(context_, hub_); });
  connect(widgets_.As<QLineEdit>("edtSysExData"), &QLineEdit::textEdited, this,
          [this](const QString& text) { form_.edtSysExData = text.toStdString(); });
  connect(widgets_.As<QPushButton>("btnSendSysEx"), &QPushButton::clicked, this,
          [this] { gate_.Run([this] { btnSendSysExClick(context_); }); });
}

void MainWindow::OpenKnobMenu() {
  const QAction* chosen = knobMenu_->exec(QCursor::pos());
  if (chosen != nullptr) {
    const int factor = chosen->data().toInt();
    gate_.Run([this, factor] { SetKnobFactor(context_, factor); });
  }
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
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Closing in the middle of a handler (from a message box of a load, say) would write a
  // half-loaded state; the player closes again once it is done.
  if (gate_.Running() || !gate_.Run([this] { FormClose(context_); })) {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace velmora

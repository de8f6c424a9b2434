#include "window/FormWindow.h"

#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

#include "profile/Profile.h"
#include "surface/files/WindowPlaceFile.h"
#include "window/ContextMenus.h"
#include "window/FormRender.h"
#include "window/FormWiring.h"

namespace velmora {

namespace {

// Often enough that a file another program drops in shows while the player looks; the
// library's index makes each pass a few milliseconds.
constexpr int kWhileShownMs = 2000;
// A kept place is used when at least this much of it is on a screen.
constexpr int kOnScreenWidth = 64;
constexpr int kOnScreenHeight = 32;

bool OnAScreen(const QRect& place) {
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect seen = screen->availableGeometry().intersected(place);
    if (seen.width() >= kOnScreenWidth && seen.height() >= kOnScreenHeight) {
      return true;
    }
  }
  return false;
}

// A window that can cover the screen is a window of its own: window managers refuse full
// screen to a tool window (openbox does), and the player finds it among the others.
Qt::WindowFlags FlagsFor(const Form& form) {
  const Qt::WindowFlags kind = form.fullScreen != nullptr ? Qt::Window : Qt::Tool;
  return kind | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
}

}  // namespace

FormWindow::FormWindow(QWidget* owner, const Form& form, FormModel& model, FormDispatch& dispatch)
    : QDialog(owner, FlagsFor(form)),
      form_(form),
      model_(model),
      dispatch_(dispatch),
      configFile_(dispatch.Folders().ConfigFile()) {
  widgets_.Build(*this, form);
  setModal(form.modal);
  WireForm(form, widgets_, *this, dispatch);
  WireContextMenus(form, model, widgets_, dispatch);
  whileShown_.setInterval(kWhileShownMs);
  connect(&whileShown_, &QTimer::timeout, this, [this] { dispatch_.Run(form_.whileShown); });
  if (QWidget* box = widgets_.Find(form.searchBox)) {
    for (const auto& [control, widget] : widgets_.All()) {
      if (control->kind == ControlKind::Table && searchedList_ == nullptr) {
        searchedList_ = widget;
      }
    }
    box->installEventFilter(this);
  }
}

FormWindow::~FormWindow() {
  if (isVisible()) {
    KeepPlace();
  }
}

void FormWindow::Open() {
  if (!form_.modal && isVisible()) {
    // Shown already: to the front where the player left it.
    raise();
    activateWindow();
    return;
  }
  RenderForm(form_, model_, widgets_, *this);
  Place();
  if (QWidget* first = widgets_.Find(form_.focus)) {
    first->setFocus();
  }
  if (form_.modal) {
    exec();
  } else {
    show();
    raise();
    activateWindow();
  }
}

void FormWindow::Place() {
  if (Resizable(form_)) {
    const std::optional<WindowPlace> kept =
        ReadWindowPlace(configFile_, form_.placeSection, {minimumWidth(), minimumHeight()});
    if (kept && OnAScreen(QRect(kept->left, kept->top, kept->width, kept->height))) {
      resize(kept->width, kept->height);
      move(kept->left, kept->top);
      return;
    }
    resize(minimumSize());
  }
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void FormWindow::KeepPlace() const {
  if (!Resizable(form_)) {
    return;
  }
  try {
    WriteWindowPlace(configFile_, form_.placeSection, {x(), y(), width(), height()});
  } catch (const ProfileWriteError&) {
    // A config.ini that cannot be written costs the window its place next time, nothing
    // more: no box for it as the window goes.
  }
}

bool FormWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && form_.activated != nullptr) {
    dispatch_.Run(form_.activated);
  }
  return QDialog::event(event);
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && searchedList_ != nullptr) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      QGuiApplication::sendEvent(searchedList_, event);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void FormWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  const Geometry& design = form_.rows.front().geometry;
  for (const AnchorRow& row : form_.anchors) {
    const Geometry place = Anchored(FindControl(form_.rows, row.control)->geometry, row.anchors,
                                    width() - design.width, height() - design.height);
    widgets_.Find(row.control)->setGeometry(place.left, place.top, place.width, place.height);
  }
}

void FormWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (form_.whileShown != nullptr) {
    whileShown_.start();
  }
}

void FormWindow::hideEvent(QHideEvent* event) {
  whileShown_.stop();
  KeepPlace();
  QDialog::hideEvent(event);
}

void FormWindow::Render() {
  if (isVisible()) {
    RenderForm(form_, model_, widgets_, *this);
  }
}

}  // namespace velmora

#include "window/InputDrop.h"

#include <QCoreApplication>
#include <QEvent>
#include <QShortcut>
#include <QWidget>
#include <QWindow>

namespace velmora {

namespace {

// Releases go through: one whose press was dropped does nothing, and one whose press was
// handled ends the widget's mouse grab, which would otherwise keep the next clicks.
bool IsUserInput(const QEvent& event) {
  switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
      return true;
    default:
      return false;
  }
}

}  // namespace

InputDrop::InputDrop(QWidget& window, std::function<bool()> blocking)
    : QObject(&window), window_(window), blocking_(std::move(blocking)) {
  QCoreApplication::instance()->installEventFilter(this);
}

void InputDrop::DropPendingInput() {
  draining_ = true;
  QCoreApplication::processEvents();
  draining_ = false;
}

bool InputDrop::eventFilter(QObject* target, QEvent* event) {
  if (!IsUserInput(*event) || !(draining_ || blocking_())) {
    return false;
  }
  // A shortcut's keys are matched before any widget sees them; what they trigger is the
  // shortcut's own event.
  if (auto* shortcut = qobject_cast<QShortcut*>(target)) {
    const auto* owner = qobject_cast<QWidget*>(shortcut->parent());
    return owner != nullptr && owner->window() == &window_;
  }
  if (auto* window = qobject_cast<QWindow*>(target)) {
    return window == window_.windowHandle();
  }
  if (auto* widget = qobject_cast<QWidget*>(target)) {
    return widget->window() == &window_;
  }
  return false;
}

}  // namespace velmora

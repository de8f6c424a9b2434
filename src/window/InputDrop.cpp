#include "window/InputDrop.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
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

QWidget* WidgetWindowOf(QObject* target) {
  if (auto* window = qobject_cast<QWindow*>(target)) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top->windowHandle() == window) {
        return top;
      }
    }
    return nullptr;
  }
  if (auto* shortcut = qobject_cast<QShortcut*>(target)) {
    const auto* owner = qobject_cast<QWidget*>(shortcut->parent());
    return owner != nullptr ? owner->window() : nullptr;
  }
  if (auto* widget = qobject_cast<QWidget*>(target)) {
    return widget->window();
  }
  return nullptr;
}

// Keys of a shortcut that only asks (see MarkTakenWhileBusy) go through, so it can ask.
bool TakenWhileBusy(QObject* target, const QEvent& event, const QWidget& window) {
  if (auto* shortcut = qobject_cast<QShortcut*>(target)) {
    return shortcut->property(kTakenWhileBusy).toBool();
  }
  if (event.type() != QEvent::KeyPress && event.type() != QEvent::ShortcutOverride) {
    return false;
  }
  const QKeySequence pressed(static_cast<const QKeyEvent&>(event).keyCombination());
  for (const QShortcut* shortcut : window.findChildren<QShortcut*>(Qt::FindDirectChildrenOnly)) {
    if (shortcut->property(kTakenWhileBusy).toBool() && shortcut->key() == pressed) {
      return true;
    }
  }
  return false;
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

bool InputDrop::Covers(const QWidget& window) const {
  // The main window and the modeless ones beside it; a box or a dialog that a handler
  // opened is modal and takes its input as usual.
  return &window == &window_ || (window.parentWidget() == &window_ && !window.isModal() &&
                                 window.windowType() != Qt::Popup);
}

bool InputDrop::eventFilter(QObject* target, QEvent* event) {
  if (!IsUserInput(*event) || !(draining_ || blocking_())) {
    return false;
  }
  const QWidget* window = WidgetWindowOf(target);
  return window != nullptr && Covers(*window) && !TakenWhileBusy(target, *event, *window);
}

}  // namespace velmora

#include "window/FormWiring.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QShortcut>

#include "window/Accessibility.h"
#include "window/ClickLabel.h"
#include "window/ContextMenus.h"
#include "window/InputDrop.h"
#include "window/KnobWidget.h"
#include "window/TableView.h"

namespace velmora {

namespace {

void WirePopup(const ControlSet& widgets, QWidget& window, ClickLabel& label,
               std::string_view popup) {
  QMenu* menu = widgets.As<QMenu>(popup);
  // Where the click was, not QCursor::pos(): Wayland tells no program where the pointer is
  // on the screen, and a keyboard's click has no pointer at all.
  QObject::connect(&label, &ClickLabel::clicked, &window,
                   [menu](QPoint globalAt) { menu->exec(globalAt); });
}

void WireMenuPick(QMenu& menu, QWidget& window, FormDispatch& dispatch, const Binding& bound) {
  QObject::connect(&menu, &QMenu::triggered, &window, [&menu, &dispatch, &bound](QAction* chosen) {
    // A screen reader's pick triggers the item without closing the menu; a click closes it.
    menu.hide();
    dispatch.Run(bound, chosen->data().toInt());
  });
}

// The row made current, by click or key, is the model's selection; a double-click presses
// what Enter presses.
void WireTable(const Form& form, const ControlSet& widgets, TableView& table,
               FormDispatch& dispatch, const Binding& bound) {
  QObject::connect(&table, &TableView::rowChanged, &table,
                   [&dispatch, &bound](int row) { dispatch.Run(bound, row); });
  for (const Shortcut& shortcut : form.shortcuts) {
    if (shortcut.keys == "Return" && !shortcut.control.empty()) {
      QObject::connect(&table, &QAbstractItemView::doubleClicked,
                       widgets.As<QAbstractButton>(shortcut.control), &QAbstractButton::click);
    }
  }
}

void WireShortcuts(const Form& form, const ControlSet& widgets, QWidget& window,
                   FormDispatch& dispatch) {
  for (const Shortcut& shortcut : form.shortcuts) {
    auto* keys = new QShortcut(
        QKeySequence(QString::fromUtf8(shortcut.keys.data(), qsizetype(shortcut.keys.size()))),
        &window);
    keys->setProperty(kTakenWhileBusy, shortcut.whenIdle != nullptr);
    QObject::connect(keys, &QShortcut::activated, &window, [&shortcut, &widgets, &dispatch] {
      PressShortcut(shortcut, widgets, dispatch);
    });
    // A key that a window beside the main one binds as the main window does (F11 opens the
    // live view and fills the screen in it) goes to the window in front.
    QObject::connect(keys, &QShortcut::activatedAmbiguously, &window, [keys, &window] {
      if (QApplication::activeWindow() == &window) {
        emit keys->activated();
      }
    });
  }
}

// The keyboard visits the form's tab order; a label in it (a link, the factor that opens a
// menu) takes the focus from Tab too.
void SetTabOrder(const Form& form, const ControlSet& widgets) {
  QWidget* previous = nullptr;
  for (std::string_view name : form.tabOrder) {
    QWidget* widget = widgets.Find(name);
    if (qobject_cast<QLabel*>(widget) != nullptr) {
      widget->setFocusPolicy(Qt::TabFocus);
    }
    if (previous != nullptr) {
      QWidget::setTabOrder(previous, widget);
    }
    previous = widget;
  }
}

}  // namespace

void WireForm(const Form& form, const ControlSet& widgets, QWidget& window,
              FormDispatch& dispatch) {
  for (const auto& [control, widget] : widgets.All()) {
    const Binding* binding = FindBinding(form, control->name);
    if (binding == nullptr) {
      continue;
    }
    const Binding& bound = *binding;
    switch (control->kind) {
      case ControlKind::GradientButton:
      case ControlKind::Button:
        if (bound.Runs()) {
          QObject::connect(qobject_cast<QAbstractButton*>(widget), &QAbstractButton::clicked,
                           &window, [&dispatch, &bound] { dispatch.Run(bound); });
        }
        break;
      case ControlKind::Label:
        if (!bound.opens.empty()) {
          WirePopup(widgets, window, *qobject_cast<ClickLabel*>(widget), bound.opens);
        } else if (bound.Runs()) {
          QObject::connect(qobject_cast<ClickLabel*>(widget), &ClickLabel::clicked, &window,
                           [&dispatch, &bound](QPoint) { dispatch.Run(bound); });
        }
        break;
      case ControlKind::ComboBox:
        if (bound.Runs()) {
          QObject::connect(qobject_cast<QComboBox*>(widget), &QComboBox::activated, &window,
                           [&dispatch, &bound](int index) { dispatch.Run(bound, index); });
        }
        break;
      case ControlKind::CheckList: {
        auto* list = qobject_cast<QListWidget*>(widget);
        QObject::connect(list, &QListWidget::itemChanged, &window,
                         [&dispatch, &bound, list](QListWidgetItem* item) {
                           dispatch.Run(bound, list->row(item), item->checkState() == Qt::Checked);
                         });
        break;
      }
      case ControlKind::Edit:
        QObject::connect(qobject_cast<QLineEdit*>(widget), &QLineEdit::textEdited, &window,
                         [&dispatch, &bound](const QString& text) {
                           dispatch.KeepText(bound, text.toStdString());
                         });
        break;
      case ControlKind::Knob: {
        auto* knob = qobject_cast<KnobWidget*>(widget);
        QObject::connect(
            knob, &KnobWidget::pressed, &window,
            [&dispatch, &bound](MouseButton button) { dispatch.Run(bound, -1, false, button); });
        QObject::connect(knob, &KnobWidget::keyTurned, &window,
                         [&dispatch, &bound](MouseButton button, bool large) {
                           dispatch.Run(bound, -1, false, button, large);
                         });
        break;
      }
      case ControlKind::Table:
        WireTable(form, widgets, *qobject_cast<TableView*>(widget), dispatch, bound);
        break;
      case ControlKind::PopupMenu:
        WireMenuPick(*qobject_cast<QMenu*>(widget), window, dispatch, bound);
        break;
      default:
        break;
    }
  }
  WireShortcuts(form, widgets, window, dispatch);
  SetTabOrder(form, widgets);
  NameByLabelsInFront(widgets, form.rows);
}

}  // namespace velmora

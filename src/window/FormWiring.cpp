#include "window/FormWiring.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCursor>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QShortcut>

#include "window/ClickLabel.h"
#include "window/KnobWidget.h"

namespace velmora {

namespace {

void WirePopup(const Form& form, const ControlSet& widgets, QWidget& window, FormDispatch& dispatch,
               ClickLabel& label, std::string_view popup) {
  const Binding* chosen = FindBinding(form, popup);
  QMenu* menu = widgets.As<QMenu>(popup);
  QObject::connect(&label, &ClickLabel::clicked, &window, [&dispatch, chosen, menu] {
    const QAction* action = menu->exec(QCursor::pos());
    if (action != nullptr) {
      dispatch.Run(*chosen, action->data().toInt());
    }
  });
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
          WirePopup(form, widgets, window, dispatch, *qobject_cast<ClickLabel*>(widget),
                    bound.opens);
        } else if (bound.Runs()) {
          QObject::connect(qobject_cast<ClickLabel*>(widget), &ClickLabel::clicked, &window,
                           [&dispatch, &bound] { dispatch.Run(bound); });
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
      case ControlKind::Knob:
        QObject::connect(
            qobject_cast<KnobWidget*>(widget), &KnobWidget::pressed, &window,
            [&dispatch, &bound](MouseButton button) { dispatch.Run(bound, -1, false, button); });
        break;
      default:
        break;
    }
  }
  for (const Shortcut& shortcut : form.shortcuts) {
    auto* keys = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key(shortcut.letter)), &window);
    QObject::connect(keys, &QShortcut::activated, &window,
                     [&dispatch, handler = shortcut.handler] { dispatch.Run(handler); });
  }
}

}  // namespace velmora

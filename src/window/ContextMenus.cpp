#include "window/ContextMenus.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>

namespace velmora {

namespace {

void OpenContextMenu(const Form& form, const FormModel& model, const ContextMenu& rows,
                     const ControlSet& widgets, FormDispatch& dispatch, QWidget& owner,
                     QPoint globalAt) {
  QMenu menu(&owner);
  menu.setObjectName(QString::fromUtf8(rows.control.data(), qsizetype(rows.control.size())));
  for (const ContextMenuEntry& entry : rows.entries) {
    const std::string text = ContextMenuText(form, model, entry);
    QAction* action = menu.addAction(QString::fromStdString(text));
    action->setObjectName(QString::fromUtf8(entry.caption.data(), qsizetype(entry.caption.size())));
  }
  const QAction* chosen = menu.exec(globalAt);
  const qsizetype index = chosen != nullptr ? menu.actions().indexOf(chosen) : -1;
  if (index < 0) {
    return;
  }
  if (const Shortcut* shortcut = FindShortcut(form, rows.entries[std::size_t(index)].keys)) {
    PressShortcut(*shortcut, widgets, dispatch);
  }
}

}  // namespace

void PressShortcut(const Shortcut& shortcut, const ControlSet& widgets, FormDispatch& dispatch) {
  if (shortcut.control.empty()) {
    dispatch.Run(shortcut.handler);
  } else if (auto* box = widgets.As<QLineEdit>(shortcut.control)) {
    box->setFocus(Qt::ShortcutFocusReason);
    box->selectAll();
  } else if (auto* button = widgets.As<QAbstractButton>(shortcut.control)) {
    // A click does nothing while the button is disabled.
    button->click();
  }
}

void WireContextMenus(const Form& form, const FormModel& model, const ControlSet& widgets,
                      FormDispatch& dispatch) {
  for (const ContextMenu& rows : form.contextMenus) {
    QWidget* owner = widgets.Find(rows.control);
    if (owner->focusPolicy() == Qt::NoFocus) {
      owner->setFocusPolicy(Qt::ClickFocus);
    }
    owner->setContextMenuPolicy(Qt::CustomContextMenu);
    const auto open = [&form, &model, &rows, &widgets, &dispatch, owner](QPoint globalAt) {
      OpenContextMenu(form, model, rows, widgets, dispatch, *owner, globalAt);
    };
    // The Menu key comes as a context-menu request at the focus; Shift+F10 does not.
    QObject::connect(owner, &QWidget::customContextMenuRequested, owner,
                     [owner, open](QPoint at) { open(owner->mapToGlobal(at)); });
    auto* keys = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), owner);
    keys->setContext(Qt::WidgetShortcut);
    QObject::connect(keys, &QShortcut::activated, owner,
                     [owner, open] { open(owner->mapToGlobal(owner->rect().center())); });
  }
}

}  // namespace velmora

#include "window/ContextMenus.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QMenu>

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
    dispatch.Run(shortcut);
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
    // The panel itself never takes the focus: a screen reader would find an unnamed stop in
    // the tab order. Its entries have keys of their own; the Menu key on a control inside it
    // comes up to it as a context-menu request.
    owner->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(owner, &QWidget::customContextMenuRequested, owner,
                     [&form, &model, &rows, &widgets, &dispatch, owner](QPoint at) {
                       OpenContextMenu(form, model, rows, widgets, dispatch, *owner,
                                       owner->mapToGlobal(at));
                     });
  }
}

}  // namespace velmora

#include "window/FormRender.h"

#include <algorithm>

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>

#include "surface/forms/MainForm.h"
#include "window/GradientButtonWidget.h"
#include "window/KnobWidget.h"
#include "window/TableListModel.h"
#include "window/TableView.h"

namespace velmora {

namespace {

QString ToText(const std::string& text) {
  return QString::fromStdString(text);
}

void SetShown(QWidget& widget, bool shown) {
  if (widget.isHidden() == shown) {
    widget.setVisible(shown);
  }
}

void RenderCaption(QWidget& widget, const std::string& caption) {
  const QString text = ToText(caption);
  if (auto* label = qobject_cast<QLabel*>(&widget)) {
    if (label->text() != text) {
      label->setText(text);
    }
  } else if (auto* edit = qobject_cast<QLineEdit*>(&widget)) {
    if (edit->text() != text) {
      edit->setText(text);
    }
  }
}

void RenderComboBox(QComboBox& box, const ComboBox& model) {
  const QSignalBlocker quiet(box);
  bool same = box.count() == static_cast<int>(model.items.size());
  for (int i = 0; same && i < box.count(); ++i) {
    same = box.itemText(i) == ToText(model.items[static_cast<std::size_t>(i)]);
  }
  if (!same) {
    box.clear();
    for (const std::string& item : model.items) {
      box.addItem(ToText(item));
    }
  }
  box.setCurrentIndex(model.itemIndex);
  box.setEnabled(model.enabled);
}

void RenderCheckList(QListWidget& list, const CheckListBox& model) {
  const QSignalBlocker quiet(list);
  if (list.count() != static_cast<int>(model.items.size())) {
    list.clear();
    for (const std::string& name : model.items) {
      auto* item = new QListWidgetItem(ToText(name), &list);
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    }
  }
  for (int i = 0; i < list.count(); ++i) {
    list.item(i)->setText(ToText(model.items[static_cast<std::size_t>(i)]));
    list.item(i)->setCheckState(model.Checked(i) ? Qt::Checked : Qt::Unchecked);
  }
}

void RenderLog(QPlainTextEdit& memo, const LogMemo& log) {
  QStringList lines;
  const std::size_t shown = std::min<std::size_t>(log.Lines().size(), kShownLogLines);
  for (std::size_t i = 0; i < shown; ++i) {
    lines << ToText(log.Lines()[i]);
  }
  const QString text = lines.join('\n');
  if (memo.toPlainText() != text) {
    memo.setPlainText(text);
  }
}

// The view's model is made on the first render, when the form's model is at hand.
void RenderTable(TableView& view, const FormModel& model, const TableList& table) {
  auto* rows = qobject_cast<TableListModel*>(view.model());
  if (rows == nullptr) {
    rows = new TableListModel(model, table, &view);
    view.setModel(rows);
  }
  const QSignalBlocker quiet(view);
  rows->Follow();
  const QModelIndex current = view.currentIndex();
  if (table.itemIndex < 0) {
    view.clearSelection();
  } else if (!current.isValid() || current.row() != table.itemIndex) {
    view.selectRow(table.itemIndex);
    view.scrollTo(rows->index(table.itemIndex, 0));
  }
}

void RenderField(const ControlEntry& control, QWidget& widget, const ModelField& field) {
  if (std::string* const* caption = std::get_if<std::string*>(&field)) {
    if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
      button->setText(ToText(**caption));
    } else {
      RenderCaption(widget, **caption);
    }
  } else if (GradientButton* const* model = std::get_if<GradientButton*>(&field)) {
    auto* button = qobject_cast<GradientButtonWidget*>(&widget);
    button->setText(ToText((*model)->caption));
    button->SetLook((*model)->look);
    button->setEnabled((*model)->enabled);
  } else if (ComboBox* const* box = std::get_if<ComboBox*>(&field)) {
    RenderComboBox(*qobject_cast<QComboBox*>(&widget), **box);
  } else if (Panel* const* panel = std::get_if<Panel*>(&field)) {
    widget.move((*panel)->left, control.geometry.top);
    widget.setEnabled((*panel)->enabled);
    SetShown(widget, (*panel)->visible);
  } else if (Picture* const* picture = std::get_if<Picture*>(&field)) {
    SetShown(widget, (*picture)->visible);
  } else if (CheckListBox* const* list = std::get_if<CheckListBox*>(&field)) {
    RenderCheckList(*qobject_cast<QListWidget*>(&widget), **list);
  } else if (LogMemo* const* log = std::get_if<LogMemo*>(&field)) {
    RenderLog(*qobject_cast<QPlainTextEdit*>(&widget), **log);
  } else if (ProgressBar* const* bar = std::get_if<ProgressBar*>(&field)) {
    auto* shown = qobject_cast<QProgressBar*>(&widget);
    shown->setValue((*bar)->Position());
    SetShown(widget, (*bar)->visible);
  }
}

// A full-screen form drops its fixed size and its first panel stands in the middle of the
// screen; back, the panel goes to its place and the fixed size returns.
bool RenderFullScreen(const Form& form, const FormModel& model, const ControlSet& widgets,
                      QWidget& window) {
  const bool full = form.fullScreen != nullptr && form.fullScreen(model);
  if (full == window.isFullScreen()) {
    return full;
  }
  QWidget* panel = form.rows.size() > 1 ? widgets.Find(form.rows[1].name) : nullptr;
  if (full) {
    window.setMinimumSize(0, 0);
    window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window.showFullScreen();
    if (panel != nullptr && window.screen() != nullptr) {
      const QSize screen = window.screen()->geometry().size();
      panel->move((screen.width() - panel->width()) / 2, (screen.height() - panel->height()) / 2);
    }
  } else {
    // Window managers give the place back themselves, but the fixed size set after this
    // would move the window to the screen's corner it covered: ask for the place outright.
    const QRect normal = window.normalGeometry();
    window.showNormal();
    if (normal.isValid()) {
      window.setGeometry(normal);
    }
    if (panel != nullptr) {
      panel->move(form.rows[1].geometry.left, form.rows[1].geometry.top);
    }
  }
  return full;
}

}  // namespace

void RenderForm(const Form& form, FormModel& model, const ControlSet& widgets, QWidget& window) {
  if (form.refresh != nullptr) {
    form.refresh(model);
  }
  window.setWindowTitle(ToText(FormTitle(form, model)));
  const ClientSize size = FormClientSize(form, model);
  const QSize fixed(size.width, size.height);
  if (!RenderFullScreen(form, model, widgets, window) && !Resizable(form) &&
      (window.minimumSize() != fixed || window.maximumSize() != fixed)) {
    window.setFixedSize(fixed);
  }
  for (const auto& [control, widget] : widgets.All()) {
    if (control->kind == ControlKind::Knob) {
      // The value a screen reader announces; the knob's picture is painted by the core.
      if (const std::optional<Knob> knob = BoundKnob(control->name)) {
        qobject_cast<KnobWidget*>(widget)->SetValue(model.ValueHolder(*knob).Position() / 4);
      }
    }
    const Binding* binding = FindBinding(form, control->name);
    if (binding == nullptr) {
      continue;
    }
    const ModelField field = BoundField(*binding, model);
    if (TableList* const* table = std::get_if<TableList*>(&field)) {
      RenderTable(*qobject_cast<TableView*>(widget), model, **table);
    }
    RenderField(*control, *widget, field);
    if (binding->visibleWhile != nullptr) {
      SetShown(*widget, binding->visibleWhile(model));
    }
  }
}

}  // namespace velmora

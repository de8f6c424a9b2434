#include "window/FormRender.h"

#include <algorithm>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QSignalBlocker>

#include "surface/form/ControlTable.h"
#include "surface/form/Identity.h"
#include "window/GradientButtonWidget.h"

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

}  // namespace

void RenderMainForm(FormModel& form, const ControlSet& widgets, QWidget& window,
                    bool monitorShown) {
  window.setWindowTitle(ToText(form.caption.empty() ? MainWindowTitle() : form.caption));
  const ClientSize size = MainClientSize(form, monitorShown);
  if (window.size() != QSize(size.width, size.height)) {
    window.setFixedSize(size.width, size.height);
  }
  for (const auto& [control, widget] : widgets.All()) {
    const std::string_view name = control->name;
    if (std::string* caption = BoundCaption(form, name)) {
      RenderCaption(*widget, *caption);
    }
    if (GradientButton* model = BoundButton(form, name)) {
      auto* button = qobject_cast<velmora::GradientButtonWidget*>(widget);
      button->setText(ToText(model->caption));
      button->SetLook(model->look);
      button->setEnabled(model->enabled);
    }
    if (ComboBox* model = BoundComboBox(form, name)) {
      RenderComboBox(*qobject_cast<QComboBox*>(widget), *model);
    }
    if (Panel* model = BoundPanel(form, name)) {
      widget->move(model->left, control->geometry.top);
      widget->setEnabled(model->enabled);
      SetShown(*widget, model->visible);
    }
    if (Picture* model = BoundPicture(form, name)) {
      SetShown(*widget, model->visible);
    }
    if (CheckListBox* model = BoundCheckList(form, name)) {
      RenderCheckList(*qobject_cast<QListWidget*>(widget), *model);
    }
  }
  for (std::string_view name : MonitorControlNames()) {
    SetShown(*widgets.Find(name), monitorShown);
  }
  RenderLog(*widgets.As<QPlainTextEdit>("memLog"), form.memLog);
  auto* bar = widgets.As<QProgressBar>("pbTraitementFichier");
  bar->setValue(form.pbTraitementFichier.Position());
  SetShown(*bar, form.pbTraitementFichier.visible);
}

void RenderAboutForm(AboutForm& about, const ControlSet& widgets, QWidget& window) {
  window.setWindowTitle(ToText(about.title));
  for (const auto& [control, widget] : widgets.All()) {
    if (std::string* caption = BoundAboutCaption(about, control->name)) {
      if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(ToText(*caption));
      } else {
        RenderCaption(*widget, *caption);
      }
    }
  }
}

}  // namespace velmora

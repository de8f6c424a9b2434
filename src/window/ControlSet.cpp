#include "window/ControlSet.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include "surface/files/PictureFile.h"
#include "window/ClickLabel.h"
#include "window/GradientButtonWidget.h"
#include "window/JpegImage.h"
#include "window/KnobWidget.h"
#include "window/Looks.h"
#include "window/PanelWidget.h"
#include "window/PictureWidget.h"
#include "window/TableView.h"

namespace velmora {

namespace {

QString ToText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The built-in start picture, compiled into the program; none when it was not built in.
QImage BuiltinImage(const Form& form, std::string_view control) {
  const std::string_view file = BuiltinPicture(form, control);
  if (file.empty()) {
    return {};
  }
  QFile resource(QStringLiteral(":/builtin/") + ToText(file));
  if (!resource.open(QIODevice::ReadOnly)) {
    return {};
  }
  const QByteArray data = resource.readAll();
  return DecodeJpeg(std::vector<std::uint8_t>(data.begin(), data.end()),
                    resource.fileName().toStdString());
}

QFont ControlFont() {
  return FontOf(LookOfStyle(TextStyle::Normal));
}

}  // namespace

void ControlSet::Build(QWidget& window, const Form& form) {
  const ControlEntry& self = form.rows.front();
  window.setObjectName(ToText(self.name));
  if (Resizable(form)) {
    window.setMinimumSize(self.geometry.width, self.geometry.height);
    window.resize(self.geometry.width, self.geometry.height);
  } else {
    window.setFixedSize(self.geometry.width, self.geometry.height);
  }
  window.setWindowTitle(ToText(self.caption));
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, ToColor(LookOfPanel(self.look).first));
  window.setPalette(palette);
  window.setAutoFillBackground(true);
  for (const ControlEntry& control : form.rows.subspan(1)) {
    QWidget* parent = control.parent.empty() ? &window : Find(control.parent);
    QWidget* widget = Make(*parent, form, control);
    widget->setObjectName(ToText(control.name));
    if (control.kind != ControlKind::PopupMenu) {
      const Geometry& place = control.geometry;
      widget->setGeometry(place.left, place.top, place.width, place.height);
      widget->setVisible(control.visible);
    }
    byName_.emplace(std::string(control.name), widget);
    all_.emplace_back(&control, widget);
  }
}

QWidget* ControlSet::Find(std::string_view name) const {
  const auto found = byName_.find(std::string(name));
  return found == byName_.end() ? nullptr : found->second;
}

QWidget* ControlSet::Make(QWidget& parent, const Form& form, const ControlEntry& control) {
  switch (control.kind) {
    case ControlKind::Form:
    case ControlKind::Panel:
    case ControlKind::GradientPanel:
      return new PanelWidget(&parent, control.look);
    case ControlKind::GradientButton: {
      auto* button = new GradientButtonWidget(&parent);
      button->setText(ToText(control.caption));
      return button;
    }
    case ControlKind::Button: {
      auto* button = new QPushButton(ToText(control.caption), &parent);
      button->setFont(ControlFont());
      return button;
    }
    case ControlKind::Label: {
      auto* label = new ClickLabel(ToText(control.caption), &parent);
      ApplyTextStyle(*label, control.style);
      label->FitToBox(LookOfStyle(control.style).leastPixelSize);
      if (control.style == TextStyle::Link) {
        label->setCursor(Qt::PointingHandCursor);
      }
      return label;
    }
    case ControlKind::ComboBox: {
      auto* box = new QComboBox(&parent);
      box->setEditable(false);
      box->setFont(ControlFont());
      box->setMaxVisibleItems(20);
      return box;
    }
    case ControlKind::CheckList:
      return new QListWidget(&parent);
    case ControlKind::Memo: {
      auto* memo = new QPlainTextEdit(&parent);
      memo->setReadOnly(true);
      memo->setLineWrapMode(QPlainTextEdit::NoWrap);
      memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      return memo;
    }
    case ControlKind::Edit:
      return new QLineEdit(&parent);
    case ControlKind::Picture: {
      auto* picture = new PictureWidget(&parent);
      picture->SetImage(BuiltinImage(form, control.name));
      return picture;
    }
    case ControlKind::Knob:
      return new KnobWidget(&parent);
    case ControlKind::ProgressBar: {
      auto* bar = new QProgressBar(&parent);
      bar->setRange(ProgressBar::kMin, ProgressBar::kMax);
      bar->setValue(0);
      bar->setTextVisible(false);
      return bar;
    }
    case ControlKind::Table: {
      return new TableView(&parent);
    }
    case ControlKind::PopupMenu: {
      auto* menu = new QMenu(&parent);
      if (const Binding* binding = FindBinding(form, control.name)) {
        for (std::size_t i = 0; i < binding->menu.size(); ++i) {
          const MenuItem& item = binding->menu[i];
          QAction* action = menu->addAction(ToText(item.caption));
          action->setObjectName(ToText(item.name));
          action->setData(static_cast<int>(i));
        }
      }
      return menu;
    }
  }
  return nullptr;
}

}  // namespace velmora

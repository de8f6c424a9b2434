#include "window/WidgetSet.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include "surface/PictureFile.h"
#include "window/ClickLabel.h"
#include "window/GradientButtonWidget.h"
#include "window/JpegImage.h"
#include "window/KnobWidget.h"
#include "window/Looks.h"
#include "window/PanelWidget.h"
#include "window/PictureWidget.h"

namespace velmora {

namespace {

QString ToText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The built-in start picture, compiled into the program; none when it was not built in.
QImage BuiltinImage(std::string_view control) {
  const std::string_view file = BuiltinPicture(control);
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

void WidgetSet::Build(QWidget& window, std::span<const ControlSpec> table) {
  const ControlSpec& form = table.front();
  window.setObjectName(ToText(form.name));
  window.setFixedSize(form.geometry.width, form.geometry.height);
  window.setWindowTitle(ToText(form.caption));
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, ToColor(LookOfPanel(form.look).first));
  window.setPalette(palette);
  window.setAutoFillBackground(true);
  for (const ControlSpec& spec : table.subspan(1)) {
    QWidget* parent = spec.parent.empty() ? &window : Find(spec.parent);
    QWidget* widget = Make(*parent, spec);
    widget->setObjectName(ToText(spec.name));
    if (spec.kind != ControlKind::PopupMenu) {
      const Geometry& place = spec.geometry;
      widget->setGeometry(place.left, place.top, place.width, place.height);
      widget->setVisible(spec.visible);
    }
    byName_.emplace(std::string(spec.name), widget);
    all_.emplace_back(&spec, widget);
  }
}

QWidget* WidgetSet::Find(std::string_view name) const {
  const auto found = byName_.find(std::string(name));
  return found == byName_.end() ? nullptr : found->second;
}

QWidget* WidgetSet::Make(QWidget& parent, const ControlSpec& spec) {
  switch (spec.kind) {
    case ControlKind::Form:
    case ControlKind::Panel:
    case ControlKind::GradientPanel:
      return new PanelWidget(&parent, spec.look);
    case ControlKind::GradientButton: {
      auto* button = new GradientButtonWidget(&parent);
      button->setText(ToText(spec.caption));
      return button;
    }
    case ControlKind::Button: {
      auto* button = new QPushButton(ToText(spec.caption), &parent);
      button->setFont(ControlFont());
      return button;
    }
    case ControlKind::Label: {
      auto* label = new ClickLabel(ToText(spec.caption), &parent);
      ApplyTextStyle(*label, spec.style);
      if (spec.style == TextStyle::Link) {
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
      picture->SetImage(BuiltinImage(spec.name));
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
    case ControlKind::PopupMenu:
      return new QMenu(&parent);
  }
  return nullptr;
}

}  // namespace velmora

#include "window/GradientButtonWidget.h"

#include <QPainter>

#include "window/Looks.h"

namespace velmora {

GradientButtonWidget::GradientButtonWidget(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::NoFocus);
  setCursor(Qt::PointingHandCursor);
}

void GradientButtonWidget::SetLook(ColorScheme look) {
  if (look != look_) {
    look_ = look;
    update();
  }
}

void GradientButtonWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  GradientLook look = LookOfScheme(look_);
  if (isDown()) {
    std::swap(look.first, look.last);
  }
  if (!isEnabled()) {
    painter.setOpacity(0.45);
  }
  PaintGradient(painter, rect(), look);
  painter.setPen(ToColor(look.text));
  painter.setFont(FontOf(LookOfStyle(TextStyle::ButtonText)));
  painter.drawText(rect().translated(0, isDown() ? 1 : 0), Qt::AlignCenter, text());
}

}  // namespace velmora

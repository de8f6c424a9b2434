#include "window/GradientButtonWidget.h"

#include <QKeyEvent>
#include <QPainter>

#include "window/Looks.h"

namespace velmora {

GradientButtonWidget::GradientButtonWidget(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::TabFocus);
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
  if (hasFocus()) {
    PaintFocusRing(painter, rect(), look.text);
  }
}

void GradientButtonWidget::keyPressEvent(QKeyEvent* event) {
  // Space is the base class's; Enter clicks at once, as on a push button.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    click();
    event->accept();
    return;
  }
  QAbstractButton::keyPressEvent(event);
}

}  // namespace velmora

#include "window/PanelWidget.h"

#include <QPainter>

#include "window/Looks.h"

namespace velmora {

PanelWidget::PanelWidget(QWidget* parent, PanelLook look) : QWidget(parent), look_(look) {}

void PanelWidget::paintEvent(QPaintEvent*) {
  if (look_ == PanelLook::None) {
    return;
  }
  QPainter painter(this);
  GradientLook look = LookOfPanel(look_);
  if (!isEnabled()) {
    // A channel that is off: its screen goes dark, like an unlit display.
    look.first = {static_cast<std::uint8_t>(look.first.red / 2),
                  static_cast<std::uint8_t>(look.first.green / 2),
                  static_cast<std::uint8_t>(look.first.blue / 2)};
    look.last = look.first;
  }
  PaintGradient(painter, rect(), look);
  if (look_ == PanelLook::Sunken) {
    painter.setPen(QColor(10, 10, 10));
    painter.drawLine(0, 0, width() - 1, 0);
    painter.drawLine(0, 0, 0, height() - 1);
    painter.setPen(QColor(150, 150, 150));
    painter.drawLine(1, height() - 1, width() - 1, height() - 1);
    painter.drawLine(width() - 1, 1, width() - 1, height() - 1);
  }
}

}  // namespace velmora

#include "window/ClickLabel.h"

#include <QPainter>

#include "window/Looks.h"

namespace velmora {

void ClickLabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (hasFocus()) {
    QPainter painter(this);
    const QColor text = palette().color(QPalette::WindowText);
    PaintFocusRing(painter, rect(),
                   {static_cast<std::uint8_t>(text.red()), static_cast<std::uint8_t>(text.green()),
                    static_cast<std::uint8_t>(text.blue())});
  }
}

}  // namespace velmora

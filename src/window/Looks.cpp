#include "window/Looks.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>

namespace velmora {

QColor ToColor(Rgb colour) {
  return QColor(colour.red, colour.green, colour.blue);
}

QFont FontOf(const TextLook& look) {
  QFont font;
  if (!look.family.empty()) {
    // The display's own font where it is installed, else a sturdy fallback.
    font.setFamilies({QString::fromUtf8(look.family.data(), qsizetype(look.family.size())),
                      QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
  }
  font.setPixelSize(look.pixelSize);
  font.setBold(look.bold);
  font.setUnderline(look.underline);
  return font;
}

void ApplyTextStyle(QLabel& label, TextStyle style) {
  const TextLook look = LookOfStyle(style);
  label.setFont(FontOf(look));
  QPalette palette = label.palette();
  palette.setColor(QPalette::WindowText, ToColor(look.colour));
  palette.setColor(QPalette::Disabled, QPalette::WindowText, ToColor(look.colour).darker(140));
  label.setPalette(palette);
  switch (look.align) {
    case TextAlign::Left:
      label.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      break;
    case TextAlign::Centre:
      label.setAlignment(Qt::AlignCenter);
      break;
    case TextAlign::Right:
      label.setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      break;
  }
}

void PaintGradient(QPainter& painter, const QRect& rect, const GradientLook& look) {
  QLinearGradient gradient(rect.topLeft(), look.diagonal ? rect.bottomRight() : rect.bottomLeft());
  gradient.setColorAt(0, ToColor(look.first));
  gradient.setColorAt(1, ToColor(look.last));
  painter.fillRect(rect, gradient);
  painter.setPen(ToColor(look.border));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

void PaintFocusRing(QPainter& painter, const QRect& rect, Rgb colour) {
  painter.save();
  painter.setOpacity(1.0);
  painter.setPen(QPen(ToColor(colour), 1, Qt::DotLine));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect.adjusted(1, 1, -2, -2));
  painter.restore();
}

}  // namespace velmora

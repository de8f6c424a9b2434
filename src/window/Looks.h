#pragma once

// The control table's looks in Qt terms.

#include <QColor>
#include <QFont>
#include <QRect>

#include "surface/form/Looks.h"

class QPainter;
class QLabel;

namespace velmora {

QColor ToColor(Rgb colour);
QFont FontOf(const TextLook& look);
// The style's font, colour and alignment on a label.
void ApplyTextStyle(QLabel& label, TextStyle style);
// Fills rect with the look's gradient and draws its one-pixel border.
void PaintGradient(QPainter& painter, const QRect& rect, const GradientLook& look);
// The keyboard focus on a painted control: a dotted frame just inside rect, in colour.
void PaintFocusRing(QPainter& painter, const QRect& rect, Rgb colour);

}  // namespace velmora

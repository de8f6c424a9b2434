#include "window/KnobWidget.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "surface/form/KnobPointer.h"
#include "window/Looks.h"

namespace velmora {

namespace {
// One notch of a mouse wheel, in eighths of a degree.
constexpr int kWheelNotch = 120;
}  // namespace

KnobWidget::KnobWidget(QWidget* parent) : QWidget(parent) {
  // Drawn at the screen's own resolution, so the face stays sharp on a scaled display; the
  // core's coordinates are the 25 x 25 picture's all the same.
  const qreal ratio = qApp->devicePixelRatio();
  const int side = qRound(kKnobPictureSize * ratio);
  canvas_ = QImage(side, side, QImage::Format_RGB32);
  canvas_.setDevicePixelRatio(ratio);
  canvas_.fill(ToColor(kKnobOlive));
  QPainter painter(&canvas_);
  painter.setPen(QPen(ToColor(kKnobYellow), 1));
  painter.setBrush(ToColor(kKnobYellow));
  painter.drawEllipse(QRect(0, 0, kKnobPictureSize - 1, kKnobPictureSize - 1));
  setCursor(Qt::PointingHandCursor);
}

void KnobWidget::DrawPointer(Rgb colour, KnobPoint from, KnobPoint to) {
  {
    QPainter painter(&canvas_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(
        QPen(ToColor(colour), kKnobPenWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(from.x, from.y, to.x, to.y);
  }
  update();
}

void KnobWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!isEnabled()) {
    painter.fillRect(rect(), ToColor(kKnobOlive).darker(200));
    painter.setOpacity(0.5);
  }
  painter.drawImage(0, 0, canvas_);
}

void KnobWidget::mousePressEvent(QMouseEvent* event) {
  switch (event->button()) {
    case Qt::LeftButton:
      emit pressed(MouseButton::Left);
      break;
    case Qt::RightButton:
      emit pressed(MouseButton::Right);
      break;
    default:
      emit pressed(MouseButton::Middle);
      break;
  }
  event->accept();
}

void KnobWidget::wheelEvent(QWheelEvent* event) {
  wheelRemainder_ += event->angleDelta().y();
  while (wheelRemainder_ >= kWheelNotch) {
    wheelRemainder_ -= kWheelNotch;
    emit pressed(MouseButton::Right);
  }
  while (wheelRemainder_ <= -kWheelNotch) {
    wheelRemainder_ += kWheelNotch;
    emit pressed(MouseButton::Left);
  }
  event->accept();
}

}  // namespace velmora

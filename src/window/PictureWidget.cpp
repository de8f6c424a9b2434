#include "window/PictureWidget.h"

#include <QPainter>

namespace velmora {

PictureWidget::PictureWidget(QWidget* parent) : QWidget(parent) {}

void PictureWidget::SetImage(QImage image) {
  image_ = std::move(image);
  update();
}

void PictureWidget::paintEvent(QPaintEvent*) {
  if (image_.isNull()) {
    return;
  }
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  const QSize size = image_.size().scaled(this->size(), Qt::KeepAspectRatio);
  const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
  painter.drawImage(target, image_);
}

}  // namespace velmora

#pragma once

// A label that answers a click: the sensitivity captions open the knob menu there, the
// About window's link opens the maker's website. Made focusable, Space and Enter click it
// too, below its lower left corner. A label whose style fits its text to the box draws the
// fitted lines itself.

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

#include "surface/form/FittedText.h"

namespace velmora {

class ClickLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

  // Where a keyboard or screen-reader click opens what it opens.
  QPoint ClickPlace() const { return mapToGlobal(rect().bottomLeft()); }

  // 0: the text as QLabel draws it; else the least size of a text fitted to the box.
  void FitToBox(int leastPixelSize) { leastPixelSize_ = leastPixelSize; }
  // The lines and size drawn now, the font's size on one line when not fitted.
  FittedText Fitted() const;

 signals:
  // globalAt: the pointer, or ClickPlace() for a click without one.
  void clicked(QPoint globalAt);

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) {
      emit clicked(event->globalPosition().toPoint());
    }
    event->accept();
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
      emit clicked(ClickPlace());
      event->accept();
      return;
    }
    QLabel::keyPressEvent(event);
  }
  void paintEvent(QPaintEvent* event) override;

 private:
  int leastPixelSize_ = 0;
};

}  // namespace velmora

#pragma once

// A label that answers a click: the sensitivity captions open the knob menu there, the
// About window's link opens the maker's website. Made focusable, Space and Enter click it
// too, below its lower left corner.

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace velmora {

class ClickLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

  // Where a keyboard or screen-reader click opens what it opens.
  QPoint ClickPlace() const { return mapToGlobal(rect().bottomLeft()); }

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
};

}  // namespace velmora

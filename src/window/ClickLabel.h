#pragma once

// A label that answers a click: the sensitivity captions open the knob menu there, the
// About window's link opens the maker's website.

#include <QLabel>
#include <QMouseEvent>

namespace velmora {

class ClickLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) {
      emit clicked();
    }
    event->accept();
  }
};

}  // namespace velmora

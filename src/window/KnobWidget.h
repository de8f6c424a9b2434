#pragma once

// A knob picture: a 25 x 25 canvas painted once (olive square, yellow disc) on which the
// core draws and erases pointer lines. Nothing ever repaints the face, so a pointer erased
// in yellow leaves the disc as it was.

#include <QImage>
#include <QWidget>

#include "surface/editing/Knobs.h"
#include "surface/form/FormView.h"

namespace velmora {

class KnobWidget : public QWidget {
  Q_OBJECT

 public:
  explicit KnobWidget(QWidget* parent);

  void DrawPointer(Rgb colour, KnobPoint from, KnobPoint to);
  const QImage& Canvas() const { return canvas_; }

 signals:
  // Left steps down, right steps up, any other button steps nothing; the wheel turns up
  // like a right press and down like a left press, one step per notch.
  void pressed(velmora::MouseButton button);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  QImage canvas_;
  int wheelRemainder_ = 0;
};

}  // namespace velmora

#pragma once

// A knob picture: a 25 x 25 canvas painted once (olive square, yellow disc) on which the
// core draws and erases pointer lines. Nothing ever repaints the face, so a pointer erased
// in yellow leaves the disc as it was. Tab reaches it (a click gives no focus, as before);
// the arrow keys turn it, and screen readers see a slider of the value sent.

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
  // The value last sent, 0 to 127, for screen readers.
  int Value() const { return value_; }
  void SetValue(int value);

 signals:
  // Left steps down, right steps up, any other button steps nothing; the wheel turns up
  // like a right press and down like a left press, one step per notch.
  void pressed(velmora::MouseButton button);
  // An arrow key, or a screen reader's increment or decrement: down and left turn like a
  // left press, up and right like a right press; large with Shift.
  void keyTurned(velmora::MouseButton button, bool large);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QImage canvas_;
  int wheelRemainder_ = 0;
  int value_ = 0;
};

}  // namespace velmora

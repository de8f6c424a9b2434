#pragma once

// A button drawn as a gradient in one of the three looks; the look is part of the editing
// state (a power button's on or off, the selected preset letter), so it is set from the
// form model and never changed by the button itself.

#include <QAbstractButton>

#include "surface/form/FormModel.h"

namespace velmora {

class GradientButtonWidget : public QAbstractButton {
  Q_OBJECT

 public:
  explicit GradientButtonWidget(QWidget* parent);

  ColorScheme Look() const { return look_; }
  void SetLook(ColorScheme look);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ColorScheme look_ = ColorScheme::csNeoSilver;
};

}  // namespace velmora

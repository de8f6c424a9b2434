#pragma once

// A panel of the control table: a gradient, an olive screen, a black or a sunken frame.

#include <QWidget>

#include "surface/form/ControlRow.h"

namespace velmora {

class PanelWidget : public QWidget {
  Q_OBJECT

 public:
  PanelWidget(QWidget* parent, PanelLook look);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PanelLook look_;
};

}  // namespace velmora

#pragma once

// A picture control: shows its image scaled to fit, keeping its proportions, centred on a
// transparent background.

#include <QImage>
#include <QWidget>

namespace velmora {

class PictureWidget : public QWidget {
  Q_OBJECT

 public:
  explicit PictureWidget(QWidget* parent);

  void SetImage(QImage image);
  const QImage& Image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage image_;
};

}  // namespace velmora

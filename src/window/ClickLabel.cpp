#include "window/ClickLabel.h"

#include <QFontMetrics>
#include <QPainter>

#include "window/Looks.h"

namespace velmora {

namespace {

QFont SizedFont(QFont font, int pixelSize) {
  font.setPixelSize(pixelSize);
  return font;
}

}  // namespace

FittedText ClickLabel::Fitted() const {
  if (leastPixelSize_ == 0) {
    return {font().pixelSize(), {text().toStdString()}};
  }
  const TextMeasure measure{
      .width =
          [this](std::string_view line, int size) {
            return QFontMetrics(SizedFont(font(), size))
                .horizontalAdvance(QString::fromUtf8(line.data(), qsizetype(line.size())));
          },
      .lineHeight =
          [this](int size) { return QFontMetrics(SizedFont(font(), size)).lineSpacing(); },
  };
  return FitText(text().toStdString(), contentsRect().width(), contentsRect().height(),
                 font().pixelSize(), leastPixelSize_, measure);
}

void ClickLabel::paintEvent(QPaintEvent* event) {
  if (leastPixelSize_ == 0) {
    QLabel::paintEvent(event);
  } else {
    QFrame::paintEvent(event);
    const FittedText fitted = Fitted();
    QStringList lines;
    for (const std::string& line : fitted.lines) {
      lines.push_back(QString::fromStdString(line));
    }
    QPainter painter(this);
    painter.setFont(SizedFont(font(), fitted.pixelSize));
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(contentsRect(), static_cast<int>(alignment()), lines.join('\n'));
  }
  if (hasFocus()) {
    QPainter painter(this);
    const QColor text = palette().color(QPalette::WindowText);
    PaintFocusRing(painter, rect(),
                   {static_cast<std::uint8_t>(text.red()), static_cast<std::uint8_t>(text.green()),
                    static_cast<std::uint8_t>(text.blue())});
  }
}

}  // namespace velmora

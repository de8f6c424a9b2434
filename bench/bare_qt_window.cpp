// The yardstick of the start-up benchmark: an empty Qt window, shown and closed once painted.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "FirstShowProbe.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));
  QWidget window;
  window.resize(703, 431);
  FirstShowProbe probe(window);
  window.show();
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (probe.Painted()) {
      QApplication::quit();
    }
  });
  poll.start(1);
  const int code = QApplication::exec();
  probe.Report();
  return code;
}

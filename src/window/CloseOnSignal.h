#pragma once

// SIGTERM, SIGHUP and SIGINT, and the desktop session's end (the session manager's request
// to save), close the window the way its close box does, so a logout or a service manager's
// stop writes config.ini and defaut.vmp. A handler that is running (a load with its pauses)
// refuses the close; the request is then repeated until it is taken.

#include <QObject>

class QSocketNotifier;
class QWidget;

namespace velmora {

class CloseOnSignal : public QObject {
  Q_OBJECT

 public:
  explicit CloseOnSignal(QWidget& window);
  ~CloseOnSignal() override;

 private:
  void Close();

  QWidget& window_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace velmora

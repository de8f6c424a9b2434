#pragma once

// SIGTERM, SIGHUP and SIGINT, and the desktop session's end (the session manager's order
// to die, which reaches Qt as the application's Quit), close the window the way its close box
// does, so a logout or a service manager's stop writes config.ini and defaut.vmp. A handler
// that is running (a load with its pauses) refuses the close; the request is then repeated
// until it is taken. The session manager's request to save, which a logout sends first and a
// mere checkpoint sends alone, writes the files and leaves the editor open.

#include <functional>

#include <QObject>

class QSocketNotifier;
class QWidget;

namespace velmora {

class CloseOnSignal : public QObject {
  Q_OBJECT

 public:
  // save writes the files without closing.
  CloseOnSignal(QWidget& window, std::function<void()> save);
  ~CloseOnSignal() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Close();

  QWidget& window_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace velmora

#include "window/CloseOnSignal.h"

#include <csignal>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

#include <QEvent>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

namespace velmora {

namespace {

// A signal handler may only write to a pipe; the GUI thread reads the other end.
int signalPipe[2] = {-1, -1};
constexpr int kStopSignals[] = {SIGTERM, SIGHUP, SIGINT};
// How long a refused close waits before it asks again.
constexpr int kRetryMs = 100;

extern "C" void NoteSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

}  // namespace

CloseOnSignal::CloseOnSignal(QWidget& window, std::function<void()> save) : window_(window) {
  // The session manager waits for this answer: the files are written by the time it returns,
  // unless a handler runs, whose end the close on the order to die then waits for.
  connect(
      qApp, &QGuiApplication::commitDataRequest, this,
      [save = std::move(save)](QSessionManager&) { save(); }, Qt::DirectConnection);
  qApp->installEventFilter(this);
  if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    return;
  }
  notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] {
    char bytes[16];
    while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
    }
    Close();
  });
  struct sigaction action = {};
  action.sa_handler = NoteSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : kStopSignals) {
    sigaction(signal, &action, nullptr);
  }
}

CloseOnSignal::~CloseOnSignal() {
  if (notifier_ == nullptr) {
    return;
  }
  for (int signal : kStopSignals) {
    std::signal(signal, SIG_DFL);
  }
  ::close(signalPipe[0]);
  ::close(signalPipe[1]);
}

bool CloseOnSignal::eventFilter(QObject* watched, QEvent* event) {
  // Qt would try the close once and drop the Quit when it is refused; the Quit that follows
  // the window's own close (the last window closed) passes on.
  if (watched == qApp && event->type() == QEvent::Quit && window_.isVisible()) {
    Close();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

void CloseOnSignal::Close() {
  if (!window_.close()) {
    QTimer::singleShot(kRetryMs, this, [this] { Close(); });
  }
}

}  // namespace velmora

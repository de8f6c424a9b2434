#include "window/OneEditor.h"

#include <utility>

#include <QByteArray>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

namespace velmora {

namespace {

QString RuntimeFolder() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  return folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::TempLocation) : folder;
}

// The running editor listens right after its window is made; a start racing it waits this long.
constexpr int kConnectTries = 50;
constexpr int kConnectWaitMs = 200;
// A sender that neither finishes nor goes away is dropped after this.
constexpr int kReceiveLimitMs = 5000;

}  // namespace

OneEditor::OneEditor()
    : folder_(RuntimeFolder()), lock_(folder_ + QStringLiteral("/velmora.lock")) {
  // A lock is stale only when its holder is gone, however long the editor has run.
  lock_.setStaleLockTime(0);
}

bool OneEditor::Claim() {
  return lock_.tryLock(0) || lock_.error() != QLockFile::LockFailedError;
}

bool OneEditor::HandTo(const HandOver& handOver) {
  const QByteArray bytes = QByteArray::fromStdString(EncodeHandOver(handOver));
  QLocalSocket socket;
  for (int attempt = 0; attempt < kConnectTries; ++attempt) {
    socket.connectToServer(folder_ + QStringLiteral("/velmora.socket"));
    if (socket.waitForConnected(kConnectWaitMs)) {
      socket.write(bytes);
      const bool sent = socket.waitForBytesWritten(kReceiveLimitMs);
      socket.disconnectFromServer();
      return sent;
    }
    QThread::msleep(kConnectWaitMs);
  }
  return false;
}

void OneEditor::Listen(std::function<void(const HandOver&)> take) {
  take_ = std::move(take);
  const QString name = folder_ + QStringLiteral("/velmora.socket");
  // Holding the lock, a socket there is a crashed editor's.
  QLocalServer::removeServer(name);
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  connect(&server_, &QLocalServer::newConnection, this, &OneEditor::Receive);
  server_.listen(name);
}

void OneEditor::Receive() {
  // What came so far; refused once too long or too slow, and never taken in part.
  struct Message {
    QByteArray bytes;
    bool refused = false;
  };
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    auto* message = new Message;
    connect(socket, &QObject::destroyed, [message] { delete message; });
    const auto refuse = [socket, message] {
      message->refused = true;
      socket->abort();
    };
    connect(socket, &QLocalSocket::readyRead, socket, [socket, message, refuse] {
      message->bytes.append(socket->readAll());
      if (static_cast<std::size_t>(message->bytes.size()) > kHandOverMaxBytes) {
        refuse();
      }
    });
    connect(socket, &QLocalSocket::disconnected, this, [this, socket, message] {
      message->bytes.append(socket->readAll());
      socket->deleteLater();
      if (message->refused) {
        return;
      }
      if (const auto handOver = DecodeHandOver(message->bytes.toStdString())) {
        take_(*handOver);
      }
    });
    QTimer::singleShot(kReceiveLimitMs, socket, refuse);
  }
}

}  // namespace velmora

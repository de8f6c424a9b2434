#pragma once

// One editor per user on Linux, so that two never open the MIDI ports: a lock file and a
// local socket in the user's runtime folder. The lock file names its holder's process, so
// one left by a crash is taken over, and its socket with it.

#include <functional>

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include "surface/shell/HandOver.h"

namespace velmora {

class OneEditor : public QObject {
  Q_OBJECT

 public:
  OneEditor();

  // Whether this start may run: no other editor holds the lock, or no lock can be made
  // there at all (a start is never refused for that).
  bool Claim();
  // Gives handOver to the editor that holds the lock; false when it never answered.
  bool HandTo(const HandOver& handOver);
  // From now on every well-formed message goes to take; any other is dropped.
  void Listen(std::function<void(const HandOver&)> take);

 private:
  void Receive();

  QString folder_;
  QLockFile lock_;
  QLocalServer server_;
  std::function<void(const HandOver&)> take_;
};

}  // namespace velmora

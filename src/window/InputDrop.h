#pragma once

// Drops the player's input to one window while a handler runs. A pause of a preset load or
// a synchronise blocks the thread, and the clicks made meanwhile wait in the queue; they
// must be thrown away, not replayed once the load ends. Message boxes and dialogs opened
// by the handler are other windows and get their input as usual.

#include <functional>

#include <QObject>

class QWidget;

namespace velmora {

class InputDrop : public QObject {
  Q_OBJECT

 public:
  InputDrop(QWidget& window, std::function<bool()> blocking);

  // Handles what is queued now with the filter still active, so it is dropped.
  void DropPendingInput();

 protected:
  bool eventFilter(QObject* target, QEvent* event) override;

 private:
  QWidget& window_;
  std::function<bool()> blocking_;
  bool draining_ = false;
};

}  // namespace velmora

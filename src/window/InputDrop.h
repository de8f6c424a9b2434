#pragma once

// Drops the player's input to one window while a handler runs. A pause of a preset load or
// a synchronise blocks the thread, and the clicks made meanwhile wait in the queue; they
// must be thrown away, not replayed once the load ends, in the main window and in those
// beside it. Message boxes and dialogs opened by the handler get their input as usual. The
// keys of a shortcut that only asks (a live view's step) are kept: the steps they ask for
// are what the player wants once the load ends.

#include <functional>

#include <QObject>

class QWidget;

namespace velmora {

// The property that marks such a shortcut's QShortcut.
inline constexpr char kTakenWhileBusy[] = "velmoraTakenWhileBusy";

class InputDrop : public QObject {
  Q_OBJECT

 public:
  InputDrop(QWidget& window, std::function<bool()> blocking);

  // Handles what is queued now with the filter still active, so it is dropped.
  void DropPendingInput();

 protected:
  bool eventFilter(QObject* target, QEvent* event) override;

 private:
  bool Covers(const QWidget& window) const;

  QWidget& window_;
  std::function<bool()> blocking_;
  bool draining_ = false;
};

}  // namespace velmora

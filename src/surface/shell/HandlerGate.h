#pragma once

// The one door every handler of a window goes through: the error guard, a render after
// each handler, and the work that must never run under another handler's feet (the
// monitor's drain, a port rescan: a load or a message box of one keeps the lists it began
// with), held back until the outermost handler has ended. Handlers nest when one opens a
// message box and the player clicks behind it.

#include <functional>
#include <vector>

#include "surface/editing/EditingContext.h"
#include "surface/shell/MonitorHub.h"

namespace velmora {

class HandlerGate {
 public:
  using Work = std::function<void()>;

  // What the window does around each handler.
  struct Shell {
    // After every handler, nested or not.
    Work render;
    // After the outermost one has rendered: whether the thread slept in a pause since the
    // last call...
    std::function<bool()> takePaused;
    // ...and if so, drops the input that arrived meanwhile, before the window answers again.
    Work dropInput;
  };

  HandlerGate(EditingContext& context, MonitorHub& hub, Shell shell);

  // Runs handler inside the error guard, then renders; returns whether it ended without
  // error. Work held back while it ran follows once it is the outermost to end.
  bool Run(const Work& handler);

  // Whether a handler is running, possibly several nested.
  bool Running() const { return depth_ > 0; }

  // Runs work as a handler of its own now when none runs; otherwise once the outermost
  // has ended. work is the caller's and must outlive the gate; asked for again while it
  // waits, it still runs once. Held-back work runs in the order it was first asked for.
  void RunWhenIdle(const Work& work);

  // The monitor's queued events, and the port lists following the system, as above.
  void DrainMonitorLater() { RunWhenIdle(drainMonitor_); }
  void RescanPortsLater() { RunWhenIdle(rescanPorts_); }

 private:
  EditingContext& context_;
  Shell shell_;
  const Work drainMonitor_;
  const Work rescanPorts_;
  int depth_ = 0;
  std::vector<const Work*> waiting_;
};

}  // namespace velmora

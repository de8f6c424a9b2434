#include "surface/shell/HandlerGate.h"

#include <algorithm>
#include <utility>

#include "surface/editing/PortSelector.h"
#include "surface/shell/ErrorDisplay.h"
#include "surface/shell/Monitor.h"

namespace velmora {

HandlerGate::HandlerGate(EditingContext& context, MonitorHub& hub, Shell shell)
    : context_(context),
      shell_(std::move(shell)),
      drainMonitor_([&context, &hub] { DrainMonitor(context, hub); }),
      rescanPorts_([&context, &hub] { RescanPorts(context, hub); }) {}

bool HandlerGate::Run(const Work& handler) {
  ++depth_;
  const bool ok = RunHandler(context_.view, handler);
  shell_.render();
  if (depth_ == 1 && shell_.takePaused()) {
    shell_.dropInput();
  }
  --depth_;
  // Each piece runs as an outermost handler itself, so it finds the gate as this one left
  // it; what that piece asks for joins the end of the line.
  while (depth_ == 0 && !waiting_.empty()) {
    const Work* next = waiting_.front();
    waiting_.erase(waiting_.begin());
    Run(*next);
  }
  return ok;
}

void HandlerGate::RunWhenIdle(const Work& work) {
  if (depth_ == 0) {
    Run(work);
    return;
  }
  if (std::find(waiting_.begin(), waiting_.end(), &work) == waiting_.end()) {
    waiting_.push_back(&work);
  }
}

}  // namespace velmora

#include "cli/OutputFlush.h"

#include <cerrno>

namespace velmora {
namespace {

int failureReason = 0;

}  // namespace

bool FlushOutput(std::ostream& out) {
  // A write that failed before the flush left its errno; the flush of a failed stream
  // makes no call that could change it.
  out.flush();
  if (!out && failureReason == 0) {
    failureReason = errno;
  }
  return static_cast<bool>(out);
}

int OutputFailureReason() {
  return failureReason;
}

}  // namespace velmora

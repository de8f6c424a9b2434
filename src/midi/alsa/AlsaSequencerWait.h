#pragma once

#include <poll.h>

#include <vector>

namespace velmora {

// The wait of a thread that reads a sequencer client: `fds` holds the read end of the
// thread's wake pipe first, then the sequencer's descriptors. Returns once something is to
// be read, with revents set; false when the pipe was written (the thread is to stop) or
// poll failed for good. Interrupted waits are resumed.
bool WaitForSequencer(std::vector<pollfd>& fds);

}  // namespace velmora

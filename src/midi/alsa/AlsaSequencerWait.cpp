#include "midi/alsa/AlsaSequencerWait.h"

#include <cerrno>

namespace velmora {

bool WaitForSequencer(std::vector<pollfd>& fds) {
  while (poll(fds.data(), fds.size(), -1) < 0) {
    if (errno != EINTR) {
      return false;
    }
  }
  return fds[0].revents == 0;
}

}  // namespace velmora

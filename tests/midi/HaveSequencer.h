#pragma once

// Whether this machine has a kernel sequencer: without one, the ALSA backend's tests check
// that it stays quiet; with one, the QEMU machine's checks cover it.

#include <unistd.h>

namespace velmora {

inline bool HaveSequencer() {
  return access("/dev/snd/seq", F_OK) == 0;
}

}  // namespace velmora

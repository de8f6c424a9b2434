#include "midi/alsa/AlsaResult.h"

#include <cerrno>

namespace velmora {

MidiResult AlsaErrorToResult(int error) {
  switch (-error) {
    case 0:
      return kMidiOk;
    case ENOMEM:
      return kMidiNoMemory;
    case EBUSY:
      return kMidiAllocated;
    case EAGAIN:
      return kMidiNotReady;
    case ENOENT:
    case ENXIO:
    case ENODEV:
    case EINVAL:
    case EPERM:
      return kMidiBadDeviceId;
    default:
      return kMidiNoDriver;
  }
}

}  // namespace velmora

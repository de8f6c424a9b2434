#pragma once

#include "midi/MidiPlatform.h"

namespace velmora {

// The result code, with the multimedia API's meaning, for a negative errno from libasound.
// A port that is gone or refuses us (ENOENT, ENXIO, ENODEV, EINVAL, EPERM) reads as a bad
// port number: the number no longer names a port we can use.
MidiResult AlsaErrorToResult(int error);

}  // namespace velmora

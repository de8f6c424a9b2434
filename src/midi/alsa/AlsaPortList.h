#pragma once

#include <alsa/asoundlib.h>

#include <string>
#include <vector>

namespace velmora {

struct AlsaPortAddress {
  int client = 0;
  int port = 0;
  std::string name;  // "<client name>:<port name>"
};

enum class AlsaPortDirection { kReadable, kWritable };

// The ports other programs and devices offer in one direction, ordered by client and port
// number. Leaves out `ownClient`, the system client (timer, announcements) and ports that
// do not accept subscriptions or ask not to be exported.
std::vector<AlsaPortAddress> ListAlsaPorts(snd_seq_t* seq, AlsaPortDirection direction,
                                           int ownClient);

}  // namespace velmora

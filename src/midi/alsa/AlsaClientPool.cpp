#include "midi/alsa/AlsaClientPool.h"

#include <sound/asequencer.h>
#include <sys/ioctl.h>

namespace velmora {

int ClientInputFree(int fd, int client) {
  snd_seq_client_pool pool{};
  pool.client = client;
  if (fd < 0 || ioctl(fd, SNDRV_SEQ_IOCTL_GET_CLIENT_POOL, &pool) < 0 || pool.input_pool <= 0) {
    return -1;
  }
  return pool.input_free;
}

}  // namespace velmora

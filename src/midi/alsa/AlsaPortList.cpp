#include "midi/alsa/AlsaPortList.h"

namespace velmora {

std::vector<AlsaPortAddress> ListAlsaPorts(snd_seq_t* seq, AlsaPortDirection direction,
                                           int ownClient) {
  const unsigned wanted = direction == AlsaPortDirection::kReadable
                              ? SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ
                              : SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE;
  std::vector<AlsaPortAddress> ports;
  snd_seq_client_info_t* client = nullptr;
  snd_seq_port_info_t* port = nullptr;
  if (snd_seq_client_info_malloc(&client) < 0) {
    return ports;
  }
  if (snd_seq_port_info_malloc(&port) < 0) {
    snd_seq_client_info_free(client);
    return ports;
  }
  snd_seq_client_info_set_client(client, -1);
  while (snd_seq_query_next_client(seq, client) >= 0) {
    const int clientId = snd_seq_client_info_get_client(client);
    if (clientId == ownClient || clientId == SND_SEQ_CLIENT_SYSTEM) {
      continue;
    }
    snd_seq_port_info_set_client(port, clientId);
    snd_seq_port_info_set_port(port, -1);
    while (snd_seq_query_next_port(seq, port) >= 0) {
      const unsigned caps = snd_seq_port_info_get_capability(port);
      if ((caps & wanted) != wanted || (caps & SND_SEQ_PORT_CAP_NO_EXPORT) != 0) {
        continue;
      }
      ports.push_back({clientId, snd_seq_port_info_get_port(port),
                       std::string(snd_seq_client_info_get_name(client)) + ":" +
                           snd_seq_port_info_get_name(port)});
    }
  }
  snd_seq_port_info_free(port);
  snd_seq_client_info_free(client);
  return ports;
}

}  // namespace velmora

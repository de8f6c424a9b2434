#include "midi/alsa/AlsaInputRoom.h"

#include <poll.h>

#include <algorithm>

#include "midi/alsa/AlsaClientPool.h"

namespace velmora {

AlsaReaders::AlsaReaders(snd_seq_t* seq, int client, int port) {
  pollfd descriptor{};
  if (snd_seq_poll_descriptors(seq, &descriptor, 1, POLLOUT) == 1) {
    fd_ = descriptor.fd;
  }
  clients_.push_back(client);
  snd_seq_query_subscribe_t* query = nullptr;
  snd_seq_query_subscribe_alloca(&query);
  const snd_seq_addr_t root{static_cast<unsigned char>(client), static_cast<unsigned char>(port)};
  snd_seq_query_subscribe_set_root(query, &root);
  snd_seq_query_subscribe_set_type(query, SND_SEQ_QUERY_SUBS_READ);
  for (int index = 0;; ++index) {
    snd_seq_query_subscribe_set_index(query, index);
    if (snd_seq_query_port_subscribers(seq, query) < 0) {
      break;
    }
    clients_.push_back(snd_seq_query_subscribe_get_addr(query)->client);
  }
}

std::size_t AlsaReaders::Room(std::size_t none) const {
  std::size_t room = none;
  for (const int client : clients_) {
    const int free = ClientInputFree(fd_, client);
    if (free >= 0) {
      room = std::min(room, static_cast<std::size_t>(free));
    }
  }
  return room;
}

std::size_t AlsaEventCells(const snd_seq_event_t& event) {
  if (snd_seq_ev_is_variable(&event)) {
    return 1 + (event.data.ext.len + sizeof(snd_seq_event_t) - 1) / sizeof(snd_seq_event_t);
  }
  return 1;
}

}  // namespace velmora

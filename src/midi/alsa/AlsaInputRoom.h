#pragma once

// How much a program reading from the sequencer can still take. The kernel gives a reader
// whose input pool is full no chance to catch up: the event that finds no room is refused
// to its sender (EAGAIN) and the reader's whole pool is thrown away at its next read. So a
// sender stays within the readers' room rather than waiting for that refusal.

#include <alsa/asoundlib.h>

#include <cstddef>
#include <vector>

namespace velmora {

// The programs an event sent to client:port reaches: that client when it is a program, and
// the programs subscribed to the port (a through port hands events on to them at once).
class AlsaReaders {
 public:
  AlsaReaders(snd_seq_t* seq, int client, int port);

  // Free cells in the fullest reader's pool; `none` when no program reads.
  std::size_t Room(std::size_t none) const;

 private:
  int fd_ = -1;
  std::vector<int> clients_;
};

// The cells an event takes in a reader's pool: one, and more for the data of a SysEx.
std::size_t AlsaEventCells(const snd_seq_event_t& event);

}  // namespace velmora

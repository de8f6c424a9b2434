#include "midi/alsa/AlsaPortWatcher.h"

#include <alsa/asoundlib.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <thread>
#include <vector>

#include "midi/alsa/AlsaSequencerWait.h"

namespace velmora {

namespace {

bool IsPortAnnouncement(const snd_seq_event_t& event) {
  switch (event.type) {
    case SND_SEQ_EVENT_CLIENT_START:
    case SND_SEQ_EVENT_CLIENT_EXIT:
    case SND_SEQ_EVENT_CLIENT_CHANGE:
    case SND_SEQ_EVENT_PORT_START:
    case SND_SEQ_EVENT_PORT_EXIT:
    case SND_SEQ_EVENT_PORT_CHANGE:
      return true;
    default:
      return false;
  }
}

}  // namespace

struct AlsaPortWatcher::State {
  std::function<void()> changed;
  snd_seq_t* seq = nullptr;
  int wakePipe[2] = {-1, -1};
  std::thread reader;

  // Reads until the pipe is written; one call of changed for each batch of announcements,
  // since a device plugged in announces its client and every port at once.
  void Read() {
    const int count = snd_seq_poll_descriptors_count(seq, POLLIN);
    std::vector<pollfd> fds(static_cast<std::size_t>(count) + 1);
    fds[0] = {wakePipe[0], POLLIN, 0};
    snd_seq_poll_descriptors(seq, fds.data() + 1, static_cast<unsigned>(count), POLLIN);
    while (WaitForSequencer(fds)) {
      bool announced = false;
      while (snd_seq_event_input_pending(seq, 1) > 0) {
        snd_seq_event_t* event = nullptr;
        const int read = snd_seq_event_input(seq, &event);
        if (read == -ENOSPC) {
          announced = true;  // announcements were lost: rescan all the same
          continue;
        }
        if (read < 0 || event == nullptr) {
          break;
        }
        announced = announced || IsPortAnnouncement(*event);
      }
      if (announced && changed) {
        changed();
      }
    }
  }
};

AlsaPortWatcher::AlsaPortWatcher(std::function<void()> changed)
    : state_(std::make_unique<State>()) {
  State& state = *state_;
  state.changed = std::move(changed);
  if (snd_seq_open(&state.seq, "default", SND_SEQ_OPEN_INPUT, SND_SEQ_NONBLOCK) < 0) {
    state.seq = nullptr;
    return;
  }
  snd_seq_set_client_name(state.seq, "Velmora port watcher");
  // Not offered to anyone: no subscription capability, and asked not to be exported.
  const int port = snd_seq_create_simple_port(state.seq, "Announcements",
                                              SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_NO_EXPORT,
                                              SND_SEQ_PORT_TYPE_APPLICATION);
  if (port < 0 ||
      snd_seq_connect_from(state.seq, port, SND_SEQ_CLIENT_SYSTEM, SND_SEQ_PORT_SYSTEM_ANNOUNCE) <
          0 ||
      pipe2(state.wakePipe, O_CLOEXEC) < 0) {
    snd_seq_close(state.seq);
    state.seq = nullptr;
    return;
  }
  state.reader = std::thread([&state] { state.Read(); });
}

AlsaPortWatcher::~AlsaPortWatcher() {
  State& state = *state_;
  if (state.reader.joinable()) {
    const char stop = 0;
    [[maybe_unused]] const ssize_t written = write(state.wakePipe[1], &stop, 1);
    state.reader.join();
  }
  for (const int fd : state.wakePipe) {
    if (fd >= 0) {
      close(fd);
    }
  }
  if (state.seq != nullptr) {
    snd_seq_close(state.seq);
  }
}

}  // namespace velmora

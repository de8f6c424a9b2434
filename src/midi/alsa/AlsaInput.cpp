// The ALSA backend's input: our ports connected from the sources, and the reader thread that
// delivers what arrives on them.

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "midi/alsa/AlsaMidiPlatformImpl.h"
#include "midi/alsa/AlsaSequencerWait.h"

namespace velmora {

namespace {

// The kernel's limit for a client's input pool (SNDRV_SEQ_MAX_CLIENT_EVENTS); its default
// is 200 events.
constexpr std::size_t kInputPoolCells = 2000;

}  // namespace

unsigned AlsaMidiPlatform::InputCount() {
  std::lock_guard lock(mutex_);
  if (seq_ != nullptr) {
    inputs_ = ListAlsaPorts(seq_, AlsaPortDirection::kReadable, ownClient_);
  }
  return static_cast<unsigned>(inputs_.size());
}

MidiResult AlsaMidiPlatform::InputName(unsigned id, std::string& name) {
  std::lock_guard lock(mutex_);
  if (id >= inputs_.size()) {
    return kMidiBadDeviceId;
  }
  name = inputs_[id].name;
  return kMidiOk;
}

MidiResult AlsaMidiPlatform::InputOpen(MidiHandle& handle, unsigned id, MidiInProc proc,
                                       std::uintptr_t instance) {
  return inputPorts_.Open(handle, proc, instance, [&](InputPort& port) -> MidiResult {
    if (id >= inputs_.size()) {
      return kMidiBadDeviceId;
    }
    const AlsaPortAddress& source = inputs_[id];
    if (inputPorts_.FindIf(
            [&](const InputPort& open) { return SameAddress(open.source, source); }) != nullptr) {
      return kMidiAllocated;
    }
    if (!reader_.joinable()) {
      StartReader();
      if (!reader_.joinable()) {
        return kMidiNoMemory;
      }
    }
    int ownPort = -1;
    if (const MidiResult result = ConnectOwnPort(source, false, ownPort); result != kMidiOk) {
      return result;
    }
    handle = nextHandle_++;
    port = InputPort{source, ownPort};
    return kMidiOk;
  });
}

MidiResult AlsaMidiPlatform::InputPrepare(MidiHandle handle, MidiHeader& header) {
  return inputPorts_.Prepare(handle, header);
}

MidiResult AlsaMidiPlatform::InputAddBuffer(MidiHandle handle, MidiHeader& header) {
  return inputPorts_.AddBuffer(handle, header);
}

MidiResult AlsaMidiPlatform::InputUnprepare(MidiHandle handle, MidiHeader& header) {
  return inputPorts_.Unprepare(handle, header);
}

MidiResult AlsaMidiPlatform::InputStart(MidiHandle handle) {
  return inputPorts_.Start(handle);
}

MidiResult AlsaMidiPlatform::InputStop(MidiHandle handle) {
  return inputPorts_.Stop(handle);
}

MidiResult AlsaMidiPlatform::InputReset(MidiHandle handle) {
  return inputPorts_.Reset(handle);
}

MidiResult AlsaMidiPlatform::InputClose(MidiHandle handle) {
  return inputPorts_.Close(
      handle, [this](const InputPort& port) { snd_seq_delete_simple_port(seq_, port.ownPort); });
}

void AlsaMidiPlatform::StartReader() {
  if (pipe2(wakePipe_, O_CLOEXEC) < 0) {
    return;
  }
  // The kernel's largest input pool: a burst a reader cannot follow at once waits there
  // instead of overrunning it, which throws away everything the pool held. Too large a
  // size is refused and leaves the default, which still works.
  snd_seq_set_client_pool_input(seq_, kInputPoolCells);
  try {
    reader_ = std::thread([this] { ReadLoop(); });
    inputPorts_.SetDeliveryThread(reader_.get_id());
  } catch (const std::system_error&) {
    close(wakePipe_[0]);
    close(wakePipe_[1]);
    wakePipe_[0] = wakePipe_[1] = -1;
  }
}

void AlsaMidiPlatform::ReadLoop() {
  std::vector<pollfd> fds;
  {
    std::lock_guard lock(mutex_);
    const int count = snd_seq_poll_descriptors_count(seq_, POLLIN);
    fds.resize(static_cast<std::size_t>(count) + 1);
    snd_seq_poll_descriptors(seq_, fds.data() + 1, static_cast<unsigned>(count), POLLIN);
  }
  fds[0] = {wakePipe_[0], POLLIN, 0};
  while (WaitForSequencer(fds)) {
    bool readable = false;
    for (std::size_t i = 1; i < fds.size(); ++i) {
      if ((fds[i].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
        return;  // the sequencer is gone; open ports simply stay silent
      }
      readable = readable || (fds[i].revents & POLLIN) != 0;
    }
    if (!readable) {
      continue;
    }
    inputPorts_.Dispatch(
        [this](MidiInputPort::Notifications& notifications) { ReadPendingEvents(notifications); });
    TellInputLoss();
  }
}

std::uint64_t AlsaMidiPlatform::QueuedInputCells() {
  snd_seq_client_pool_t* pool = nullptr;
  snd_seq_client_pool_alloca(&pool);
  if (snd_seq_get_client_pool(seq_, pool) < 0) {
    return 0;
  }
  const std::size_t size = snd_seq_client_pool_get_input_pool(pool);
  const std::size_t free = snd_seq_client_pool_get_input_free(pool);
  return size > free ? size - free : 0;
}

void AlsaMidiPlatform::TellInputLoss() {
  if (lostInput_ == 0) {
    return;
  }
  std::lock_guard lock(lossMutex_);
  if (lost_) {
    lost_(lostInput_);
  }
  lostInput_ = 0;
}

void AlsaMidiPlatform::ReadPendingEvents(MidiInputPort::Notifications& notifications) {
  // The first read takes what poll saw waiting; the loop then empties libasound's buffer
  // without asking the kernel again, so this blocking handle never waits here. On overrun
  // the kernel empties our pool and says only that it happened: what the pool held just
  // before, and the event that found no room, are the loss (the ones that arrive between
  // our look and the read go uncounted, so the count is a floor).
  const std::uint64_t queued = QueuedInputCells();
  do {
    snd_seq_event_t* event = nullptr;
    const int read = snd_seq_event_input(seq_, &event);
    if (read == -ENOSPC) {
      lostInput_ += queued + 1;
      continue;  // carry on with what follows
    }
    if (read < 0 || event == nullptr) {
      return;
    }
    Receive(*event, notifications);
  } while (snd_seq_event_input_pending(seq_, 0) > 0);
}

void AlsaMidiPlatform::Receive(const snd_seq_event_t& event,
                               MidiInputPort::Notifications& notifications) {
  auto* found =
      inputPorts_.FindIf([&](const InputPort& port) { return port.ownPort == event.dest.port; });
  if (found == nullptr) {
    return;
  }
  const std::vector<std::uint8_t> bytes = inputCodec_.Decode(event);
  found->state.Receive(bytes, event.type == SND_SEQ_EVENT_SYSEX, std::chrono::steady_clock::now(),
                       notifications);
}

void AlsaMidiPlatform::WatchInputLoss(std::function<void(std::uint64_t)> lost) {
  std::lock_guard lock(lossMutex_);
  lost_ = std::move(lost);
}

}  // namespace velmora

#include "midi/alsa/AlsaMidiPlatform.h"

#include <alsa/asoundlib.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "midi/CopiedOutputBuffers.h"
#include "midi/MidiInputPort.h"
#include "midi/MidiInputPortTable.h"
#include "midi/MidiMessageSplitter.h"
#include "midi/NotReadyRetry.h"
#include "midi/ResultText.h"
#include "midi/alsa/AlsaEventCodec.h"
#include "midi/alsa/AlsaInputRoom.h"
#include "midi/alsa/AlsaPortList.h"
#include "midi/alsa/AlsaPortWatcher.h"
#include "midi/alsa/AlsaResult.h"
#include "midi/alsa/AlsaSequencerWait.h"

namespace velmora {

namespace {

// libasound prints its failures to stderr (e.g. "cannot open /dev/snd/seq"); we report
// them through result codes instead, and the command line must stay quiet on success.
void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// Our ports only carry our own connections: not exported, so that another program (another
// Velmora among them) does not list them among its ports, where they would shift the numbers
// of the ports after them and could be picked to send into our inputs as if from the device.
constexpr unsigned kInputCaps =
    SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE | SND_SEQ_PORT_CAP_NO_EXPORT;
constexpr unsigned kOutputCaps =
    SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ | SND_SEQ_PORT_CAP_NO_EXPORT;
bool SameAddress(const AlsaPortAddress& a, const AlsaPortAddress& b) {
  return a.client == b.client && a.port == b.port;
}

// The kernel's limit for a client's input pool (SNDRV_SEQ_MAX_CLIENT_EVENTS); its default
// is 200 events.
constexpr std::size_t kInputPoolCells = 2000;
// Left free in a reader's pool for other senders; no reader at all leaves a send unbounded.
constexpr std::size_t kSpareCells = 16;
constexpr std::size_t kNoReaderRoom = std::size_t{1} << 30;

constexpr unsigned kOwnPortType = SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION;

class AlsaMidiPlatform final : public MidiPlatform {
 public:
  AlsaMidiPlatform();
  ~AlsaMidiPlatform() override;

  unsigned InputCount() override;
  MidiResult InputName(unsigned id, std::string& name) override;
  MidiResult InputOpen(MidiHandle& handle, unsigned id, MidiInProc proc,
                       std::uintptr_t instance) override;
  MidiResult InputPrepare(MidiHandle handle, MidiHeader& header) override;
  MidiResult InputAddBuffer(MidiHandle handle, MidiHeader& header) override;
  MidiResult InputUnprepare(MidiHandle handle, MidiHeader& header) override;
  MidiResult InputStart(MidiHandle handle) override;
  MidiResult InputStop(MidiHandle handle) override;
  MidiResult InputReset(MidiHandle handle) override;
  MidiResult InputClose(MidiHandle handle) override;

  unsigned OutputCount() override;
  MidiResult OutputName(unsigned id, std::string& name) override;
  MidiResult OutputOpen(MidiHandle& handle, unsigned id) override;
  MidiResult OutputShort(MidiHandle handle, std::uint32_t message) override;
  MidiResult OutputPrepare(MidiHandle handle, MidiHeader& header) override;
  MidiResult OutputLong(MidiHandle handle, MidiHeader& header) override;
  MidiResult OutputUnprepare(MidiHandle handle, MidiHeader& header) override;
  MidiResult OutputClose(MidiHandle handle) override;

  bool ErrorText(MidiResult result, std::string& text) override;
  void WatchPorts(std::function<void()> changed) override;
  void WatchInputLoss(std::function<void(std::uint64_t)> lost) override;

 private:
  // Open ports are known by the address they reach, not by their id: ids move when other
  // ports come or go.
  struct OutputPort {
    int ownPort;
    AlsaPortAddress target;
  };
  struct InputPort {
    AlsaPortAddress source;
    int ownPort = -1;
  };

  MidiResult ConnectOwnPort(const AlsaPortAddress& target, bool toTarget, int& ownPort);
  // Takes sendMutex_ for the whole buffer, so two senders' buffers never interleave, and
  // mutex_ for each event.
  MidiResult SendMessages(MidiHandle handle, const std::vector<MidiMessage>& messages);
  void StartReader();
  void ReadLoop();
  // Caller holds mutex_.
  void ReadPendingEvents(MidiInputPort::Notifications& notifications);
  std::uint64_t QueuedInputCells();
  void TellInputLoss();
  void Receive(const snd_seq_event_t& event, MidiInputPort::Notifications& notifications);

  std::mutex sendMutex_;  // see SendMessages
  // Everything below, and every call on seq_ except the reader's wait, is under mutex_.
  std::mutex mutex_;
  snd_seq_t* seq_ = nullptr;
  int ownClient_ = -1;
  std::vector<AlsaPortAddress> inputs_;
  std::vector<AlsaPortAddress> outputs_;
  std::map<MidiHandle, OutputPort> openOutputs_;
  // The reader is their delivery thread.
  MidiInputPortTable<InputPort> inputPorts_{mutex_};
  MidiHandle nextHandle_ = 1;  // never reused, so a stale handle is refused
  AlsaEventCodec outputCodec_;
  AlsaEventCodec inputCodec_;

  std::thread reader_;
  int wakePipe_[2] = {-1, -1};
  std::uint64_t lostInput_ = 0;  // the reader's alone

  // Held while the loss is told, so that replacing the function waits for a call under way.
  std::mutex lossMutex_;
  std::function<void(std::uint64_t)> lost_;

  // Its own client and thread; replaced or dropped under watchMutex_ alone.
  std::mutex watchMutex_;
  std::unique_ptr<AlsaPortWatcher> watcher_;
};

AlsaMidiPlatform::AlsaMidiPlatform() {
  snd_lib_error_set_handler(IgnoreAlsaError);
  // No sequencer (no /dev/snd) leaves seq_ empty: a system without ports, not a failure.
  if (snd_seq_open(&seq_, "default", SND_SEQ_OPEN_DUPLEX, 0) < 0) {
    seq_ = nullptr;
    return;
  }
  snd_seq_set_client_name(seq_, "Velmora");
  ownClient_ = snd_seq_client_id(seq_);
}

AlsaMidiPlatform::~AlsaMidiPlatform() {
  // Buffers still queued belong to a device layer that is already gone: they are dropped,
  // not handed back. Closing the sequencer removes our ports and their connections.
  if (reader_.joinable()) {
    const char stop = 0;
    [[maybe_unused]] const ssize_t written = write(wakePipe_[1], &stop, 1);
    reader_.join();
  }
  for (const int fd : wakePipe_) {
    if (fd >= 0) {
      close(fd);
    }
  }
  if (seq_ != nullptr) {
    snd_seq_close(seq_);
  }
}

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

unsigned AlsaMidiPlatform::OutputCount() {
  std::lock_guard lock(mutex_);
  if (seq_ != nullptr) {
    outputs_ = ListAlsaPorts(seq_, AlsaPortDirection::kWritable, ownClient_);
  }
  return static_cast<unsigned>(outputs_.size());
}

MidiResult AlsaMidiPlatform::OutputName(unsigned id, std::string& name) {
  std::lock_guard lock(mutex_);
  if (id >= outputs_.size()) {
    return kMidiBadDeviceId;
  }
  name = outputs_[id].name;
  return kMidiOk;
}

MidiResult AlsaMidiPlatform::ConnectOwnPort(const AlsaPortAddress& target, bool toTarget,
                                            int& ownPort) {
  const std::string name = std::string(toTarget ? "Out " : "In ") + target.name;
  ownPort = snd_seq_create_simple_port(seq_, name.c_str(), toTarget ? kOutputCaps : kInputCaps,
                                       kOwnPortType);
  if (ownPort < 0) {
    return AlsaErrorToResult(ownPort);
  }
  const int connected = toTarget ? snd_seq_connect_to(seq_, ownPort, target.client, target.port)
                                 : snd_seq_connect_from(seq_, ownPort, target.client, target.port);
  if (connected < 0) {
    snd_seq_delete_simple_port(seq_, ownPort);
    return AlsaErrorToResult(connected);
  }
  return kMidiOk;
}

MidiResult AlsaMidiPlatform::OutputOpen(MidiHandle& handle, unsigned id) {
  std::lock_guard lock(mutex_);
  if (id >= outputs_.size()) {
    return kMidiBadDeviceId;
  }
  for (const auto& [openHandle, port] : openOutputs_) {
    if (SameAddress(port.target, outputs_[id])) {
      return kMidiAllocated;
    }
  }
  int ownPort = -1;
  if (const MidiResult result = ConnectOwnPort(outputs_[id], true, ownPort); result != kMidiOk) {
    return result;
  }
  handle = nextHandle_++;
  openOutputs_.emplace(handle, OutputPort{ownPort, outputs_[id]});
  return kMidiOk;
}

MidiResult AlsaMidiPlatform::SendMessages(MidiHandle handle,
                                          const std::vector<MidiMessage>& messages) {
  std::lock_guard sending(sendMutex_);
  std::optional<AlsaReaders> readers;
  std::size_t budget = 0;  // cells we may send before looking at the readers' room again
  for (const MidiMessage& message : messages) {
    // mutex_ is taken for each try alone: while we wait for room, our own reader goes on
    // reading, and the port may be closed, which ends the send.
    const MidiResult result = RetryWhileNotReady([&]() -> MidiResult {
      std::lock_guard lock(mutex_);
      const auto port = openOutputs_.find(handle);
      if (port == openOutputs_.end()) {
        return kMidiInvalidHandle;
      }
      snd_seq_event_t event;
      snd_seq_ev_clear(&event);
      if (!outputCodec_.Encode(message, event)) {
        return kMidiOk;
      }
      if (!readers) {
        readers.emplace(seq_, port->second.target.client, port->second.target.port);
      }
      // A long SysEx waits for part of its room only, as it may need more than a whole
      // pool; if it then finds no room, the refusal is waited out like any other.
      const std::size_t cells = std::min(AlsaEventCells(event), kSpareCells * 4);
      if (budget < cells) {
        const std::size_t room = readers->Room(kNoReaderRoom);
        budget = room > kSpareCells ? room - kSpareCells : 0;
        if (budget < cells) {
          return kMidiNotReady;
        }
      }
      budget -= cells;
      snd_seq_ev_set_source(&event, port->second.ownPort);
      // Addressed to the port itself rather than to our subscribers: when the device has
      // gone, the kernel says so instead of dropping the event without a word.
      snd_seq_ev_set_dest(&event, port->second.target.client, port->second.target.port);
      snd_seq_ev_set_direct(&event);
      // Direct output takes an event of any length, a long SysEx included, in one piece.
      // EAGAIN (a reader's pool is full) reads as kMidiNotReady: wait and try again.
      const int sent = snd_seq_event_output_direct(seq_, &event);
      return sent < 0 ? AlsaErrorToResult(sent) : kMidiOk;
    });
    if (result != kMidiOk) {
      return result;
    }
  }
  std::lock_guard lock(mutex_);
  if (const int drained = snd_seq_drain_output(seq_); drained < 0) {
    return AlsaErrorToResult(drained);
  }
  return kMidiOk;
}

MidiResult AlsaMidiPlatform::OutputShort(MidiHandle handle, std::uint32_t message) {
  const ShortMessageBytes unpacked = UnpackShortMessage(message);
  if (unpacked.length == 0) {
    return kMidiInvalidParam;
  }
  return SendMessages(handle, {MidiMessage(unpacked.View().begin(), unpacked.View().end())});
}

MidiResult AlsaMidiPlatform::OutputPrepare(MidiHandle handle, MidiHeader& header) {
  std::lock_guard lock(mutex_);
  if (!openOutputs_.contains(handle)) {
    return kMidiInvalidHandle;
  }
  return PrepareCopiedOutputBuffer(header);
}

MidiResult AlsaMidiPlatform::OutputLong(MidiHandle handle, MidiHeader& header) {
  {
    std::lock_guard lock(mutex_);
    if (!openOutputs_.contains(handle)) {
      return kMidiInvalidHandle;
    }
  }
  // Every event is copied to the kernel during the send.
  return SendCopiedOutputBuffer(header, [&](std::span<const std::uint8_t> bytes) {
    return SendMessages(handle, SplitMidiMessages(bytes));
  });
}

MidiResult AlsaMidiPlatform::OutputUnprepare(MidiHandle handle, MidiHeader& header) {
  std::lock_guard lock(mutex_);
  if (!openOutputs_.contains(handle)) {
    return kMidiInvalidHandle;
  }
  return UnprepareCopiedOutputBuffer(header);
}

MidiResult AlsaMidiPlatform::OutputClose(MidiHandle handle) {
  std::lock_guard lock(mutex_);
  const auto port = openOutputs_.find(handle);
  if (port == openOutputs_.end()) {
    return kMidiInvalidHandle;
  }
  // Deleting our port ends its connection too, even when the other side has vanished.
  snd_seq_delete_simple_port(seq_, port->second.ownPort);
  openOutputs_.erase(port);
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

bool AlsaMidiPlatform::ErrorText(MidiResult result, std::string& text) {
  return DescribeMidiResult(result, text);
}

void AlsaMidiPlatform::WatchPorts(std::function<void()> changed) {
  std::lock_guard lock(watchMutex_);
  watcher_.reset();
  if (changed) {
    watcher_ = std::make_unique<AlsaPortWatcher>(std::move(changed));
  }
}

void AlsaMidiPlatform::WatchInputLoss(std::function<void(std::uint64_t)> lost) {
  std::lock_guard lock(lossMutex_);
  lost_ = std::move(lost);
}

}  // namespace

std::unique_ptr<MidiPlatform> MakeAlsaMidiPlatform() {
  return std::make_unique<AlsaMidiPlatform>();
}

}  // namespace velmora

#include "midi/alsa/AlsaMidiPlatform.h"

#include <alsa/asoundlib.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "midi/CopiedOutputBuffers.h"
#include "midi/MidiMessageSplitter.h"
#include "midi/NotReadyRetry.h"
#include "midi/ResultText.h"
#include "midi/alsa/AlsaInputRoom.h"
#include "midi/alsa/AlsaMidiPlatformImpl.h"
#include "midi/alsa/AlsaResult.h"

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
// Left free in a reader's pool for other senders; no reader at all leaves a send unbounded.
constexpr std::size_t kSpareCells = 16;
constexpr std::size_t kNoReaderRoom = std::size_t{1} << 30;

constexpr unsigned kOwnPortType = SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION;

}  // namespace

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

std::unique_ptr<MidiPlatform> MakeAlsaMidiPlatform() {
  return std::make_unique<AlsaMidiPlatform>();
}

}  // namespace velmora

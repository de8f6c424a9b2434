#include "midi/jack/JackMidiPlatform.h"

#include <jack/jack.h>
#include <jack/midiport.h>
#include <semaphore.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <span>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "midi/Midi.h"
#include "midi/MidiInputPort.h"
#include "midi/MidiMessageSplitter.h"
#include "midi/ResultText.h"
#include "midi/jack/JackEventRing.h"
#include "midi/jack/JackPortList.h"

namespace velmora {

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kClientName = "Velmora";
// Ports of ours the process thread can serve in each direction, far more than a rig has.
constexpr std::size_t kSlots = 64;
constexpr std::size_t kOutgoingBytes = std::size_t{1} << 16;
constexpr std::size_t kIncomingBytes = std::size_t{1} << 18;
// How long a send waits for room, and a close for its events to go out, before giving up on
// a server that no longer runs our process callback.
constexpr Clock::duration kPatience = std::chrono::seconds(2);
constexpr std::chrono::milliseconds kPoll{1};

// libjack prints its failures to stderr ("Cannot connect to server socket"); we report
// them through exceptions and result codes instead.
void IgnoreJackMessage(const char*) {}

// One port of ours as the process thread sees it: published by storing port last, taken
// away by clearing port first and waiting for a cycle before unregistering it.
struct Slot {
  std::atomic<jack_port_t*> port{nullptr};
  std::atomic<MidiHandle> handle{kNoHandle};
};

class JackMidiPlatform final : public MidiPlatform {
 public:
  explicit JackMidiPlatform(jack_client_t* client);
  ~JackMidiPlatform() override;
  JackMidiPlatform(const JackMidiPlatform&) = delete;
  JackMidiPlatform& operator=(const JackMidiPlatform&) = delete;

  // Registers the callbacks and starts the client and the delivery thread; false when
  // that fails.
  bool Start();

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

 private:
  struct OutputPort {
    std::string target;
    std::size_t slot;
  };
  struct InputPort {
    std::string source;
    std::size_t slot;
    MidiInputPort state;
  };

  static int Process(jack_nframes_t frames, void* self);
  static void PortRegistered(jack_port_id_t id, int registered, void* self);
  static void ClientRegistered(const char* name, int registered, void* self);
  static void ServerStopped(jack_status_t, const char*, void* self);

  // Process thread.
  void WriteOutgoing(jack_nframes_t frames);
  void ReadIncoming(jack_nframes_t frames);
  // JACK's notification thread: wakes the delivery thread to tell the watcher.
  void NotePortsChanged();

  // Caller holds mutex_.
  unsigned ReadList(std::vector<std::string>& list, JackPortDirection direction);
  MidiResult OpenSlot(std::array<Slot, kSlots>& slots, const std::string& other, bool output,
                      MidiHandle handle, std::size_t& slot);
  void CloseSlot(Slot& slot);
  MidiResult Queue(const OutputPort& port, MidiHandle handle, std::span<const std::uint8_t> bytes);
  InputPort* FindInput(MidiHandle handle);

  // Waits, bounded by kPatience, for the process thread to finish two more cycles (so
  // that the one under way has ended) or to empty the outgoing queue.
  void AwaitCycles();
  void AwaitOutgoingSent();

  void DeliveryLoop();
  void DeliverIncoming();
  void TellWatcher();
  void WaitForDispatch();
  using GiveBack = void (MidiInputPort::*)(MidiInputPort::Clock::time_point,
                                           MidiInputPort::Notifications&);
  MidiResult GiveBuffersBack(MidiHandle handle, GiveBack giveBack);

  jack_client_t* client_;
  // Shared with the process thread, which takes no lock.
  std::array<Slot, kSlots> outputSlots_;
  std::array<Slot, kSlots> inputSlots_;
  JackEventRing outgoing_{kOutgoingBytes};
  JackEventRing incoming_{kIncomingBytes};
  std::atomic<std::uint64_t> cycles_{0};
  std::atomic<bool> serverGone_{false};
  std::atomic<bool> portsChanged_{false};
  std::atomic<bool> stopping_{false};
  sem_t wake_;
  std::size_t largestEvent_ = 0;

  // Everything below, and every call on client_, is under mutex_; so is the outgoing
  // queue's writing end.
  std::mutex mutex_;
  std::vector<std::string> inputs_;
  std::vector<std::string> outputs_;
  std::map<MidiHandle, OutputPort> openOutputs_;
  std::map<MidiHandle, InputPort> openInputs_;
  MidiHandle nextHandle_ = 1;  // never reused, so a stale handle is refused

  // Held by the delivery thread while it hands events to the notification procedures.
  std::mutex dispatchMutex_;
  // Held while the watcher is called, so that replacing it waits for a call under way.
  std::mutex watchMutex_;
  std::function<void()> changed_;
  std::thread delivery_;
  std::thread::id deliveryId_;
};

JackMidiPlatform::JackMidiPlatform(jack_client_t* client) : client_(client) {
  sem_init(&wake_, 0, 0);
  // Half a port buffer always fits in an empty one, whatever the server's own overhead.
  const std::size_t portBuffer = jack_port_type_get_buffer_size(client_, JACK_DEFAULT_MIDI_TYPE);
  largestEvent_ = std::min(portBuffer / 2, outgoing_.LargestEvent());
}

bool JackMidiPlatform::Start() {
  if (!outgoing_.Valid() || !incoming_.Valid()) {
    return false;
  }
  jack_set_process_callback(client_, &JackMidiPlatform::Process, this);
  jack_set_port_registration_callback(client_, &JackMidiPlatform::PortRegistered, this);
  jack_set_client_registration_callback(client_, &JackMidiPlatform::ClientRegistered, this);
  jack_on_info_shutdown(client_, &JackMidiPlatform::ServerStopped, this);
  try {
    delivery_ = std::thread([this] { DeliveryLoop(); });
    deliveryId_ = delivery_.get_id();
  } catch (const std::system_error&) {
    return false;
  }
  return jack_activate(client_) == 0;
}

JackMidiPlatform::~JackMidiPlatform() {
  // What the device layer queued last still goes out, such as the end of a preset load by
  // a command that exits right after it. Buffers still queued for input belong to a device
  // layer that is already gone: they are dropped, not handed back.
  AwaitOutgoingSent();
  if (delivery_.joinable()) {
    stopping_ = true;
    sem_post(&wake_);
    delivery_.join();
  }
  jack_client_close(client_);
  sem_destroy(&wake_);
}

// ---- Process thread: no lock, no allocation, no wait. ----

int JackMidiPlatform::Process(jack_nframes_t frames, void* self) {
  auto* platform = static_cast<JackMidiPlatform*>(self);
  platform->WriteOutgoing(frames);
  platform->ReadIncoming(frames);
  platform->cycles_.fetch_add(1, std::memory_order_release);
  return 0;
}

void JackMidiPlatform::WriteOutgoing(jack_nframes_t frames) {
  std::array<void*, kSlots> buffers{};
  std::array<MidiHandle, kSlots> handles{};
  for (std::size_t i = 0; i < kSlots; ++i) {
    jack_port_t* port = outputSlots_[i].port.load(std::memory_order_acquire);
    if (port != nullptr) {
      handles[i] = outputSlots_[i].handle.load(std::memory_order_relaxed);
      buffers[i] = jack_port_get_buffer(port, frames);
      jack_midi_clear_buffer(buffers[i]);
    }
  }
  JackEventRing::Header header;
  while (outgoing_.Peek(header)) {
    const auto found = std::find(handles.begin(), handles.end(), header.tag);
    void* buffer = found == handles.end() ? nullptr : buffers[found - handles.begin()];
    if (buffer == nullptr) {
      outgoing_.Skip(header);  // its port was closed while the server was stuck
      continue;
    }
    // What does not fit this cycle waits for the next, in order: an empty buffer always
    // takes it, events being at most half a buffer.
    if (jack_midi_max_event_size(buffer) < header.length) {
      return;
    }
    jack_midi_data_t* event = jack_midi_event_reserve(buffer, 0, header.length);
    if (event == nullptr) {
      return;
    }
    outgoing_.Take(header, event);
  }
}

void JackMidiPlatform::ReadIncoming(jack_nframes_t frames) {
  bool queued = false;
  for (Slot& slot : inputSlots_) {
    jack_port_t* port = slot.port.load(std::memory_order_acquire);
    if (port == nullptr) {
      continue;
    }
    const MidiHandle handle = slot.handle.load(std::memory_order_relaxed);
    void* buffer = jack_port_get_buffer(port, frames);
    const std::uint32_t count = jack_midi_get_event_count(buffer);
    for (std::uint32_t i = 0; i < count; ++i) {
      jack_midi_event_t event;
      if (jack_midi_event_get(&event, buffer, i) == 0) {
        queued = incoming_.Push(handle, {event.buffer, event.size}) || queued;
      }
    }
  }
  if (queued) {
    sem_post(&wake_);  // never blocks: at most a futex wake
  }
}

// ---- JACK's notification thread. ----

void JackMidiPlatform::PortRegistered(jack_port_id_t id, int registered, void* self) {
  auto* platform = static_cast<JackMidiPlatform*>(self);
  // A new port of ours or an audio port changes no list. A port that goes has already been
  // released and no longer tells whose or what it was, so every departure counts.
  const jack_port_t* port = jack_port_by_id(platform->client_, id);
  if (registered != 0 && port != nullptr &&
      (jack_port_is_mine(platform->client_, port) ||
       std::strcmp(jack_port_type(port), JACK_DEFAULT_MIDI_TYPE) != 0)) {
    return;
  }
  platform->NotePortsChanged();
}

void JackMidiPlatform::ClientRegistered(const char*, int registered, void* self) {
  // A client that leaves may take its ports without a word for each of them.
  if (registered == 0) {
    static_cast<JackMidiPlatform*>(self)->NotePortsChanged();
  }
}

void JackMidiPlatform::ServerStopped(jack_status_t, const char*, void* self) {
  auto* platform = static_cast<JackMidiPlatform*>(self);
  platform->serverGone_ = true;
  platform->NotePortsChanged();
}

void JackMidiPlatform::NotePortsChanged() {
  portsChanged_ = true;
  sem_post(&wake_);
}

// ---- Lists. ----

unsigned JackMidiPlatform::ReadList(std::vector<std::string>& list, JackPortDirection direction) {
  if (serverGone_) {
    list.clear();
  } else {
    list = ListJackPorts(client_, direction);
  }
  return static_cast<unsigned>(list.size());
}

unsigned JackMidiPlatform::InputCount() {
  std::lock_guard lock(mutex_);
  return ReadList(inputs_, JackPortDirection::kReadable);
}

MidiResult JackMidiPlatform::InputName(unsigned id, std::string& name) {
  std::lock_guard lock(mutex_);
  if (id >= inputs_.size()) {
    return kMidiBadDeviceId;
  }
  name = inputs_[id];
  return kMidiOk;
}

unsigned JackMidiPlatform::OutputCount() {
  std::lock_guard lock(mutex_);
  return ReadList(outputs_, JackPortDirection::kWritable);
}

MidiResult JackMidiPlatform::OutputName(unsigned id, std::string& name) {
  std::lock_guard lock(mutex_);
  if (id >= outputs_.size()) {
    return kMidiBadDeviceId;
  }
  name = outputs_[id];
  return kMidiOk;
}

// ---- Ports of ours. ----

MidiResult JackMidiPlatform::OpenSlot(std::array<Slot, kSlots>& slots, const std::string& other,
                                      bool output, MidiHandle handle, std::size_t& slot) {
  if (serverGone_) {
    return kMidiJackServerGone;
  }
  const auto free = std::find_if(slots.begin(), slots.end(), [](const Slot& candidate) {
    return candidate.port.load(std::memory_order_relaxed) == nullptr;
  });
  if (free == slots.end()) {
    return kMidiNoMemory;
  }
  const std::string name = (output ? "Out " : "In ") + std::to_string(handle);
  jack_port_t* port = jack_port_register(client_, name.c_str(), JACK_DEFAULT_MIDI_TYPE,
                                         output ? JackPortIsOutput : JackPortIsInput, 0);
  if (port == nullptr) {
    return kMidiNoDriver;
  }
  const int connected = output ? jack_connect(client_, jack_port_name(port), other.c_str())
                               : jack_connect(client_, other.c_str(), jack_port_name(port));
  if (connected != 0 && connected != EEXIST) {
    // The other port went since the list was read: the number no longer names a port.
    jack_port_unregister(client_, port);
    return kMidiBadDeviceId;
  }
  free->handle.store(handle, std::memory_order_relaxed);
  free->port.store(port, std::memory_order_release);
  slot = static_cast<std::size_t>(free - slots.begin());
  return kMidiOk;
}

void JackMidiPlatform::CloseSlot(Slot& slot) {
  jack_port_t* port = slot.port.exchange(nullptr, std::memory_order_acq_rel);
  AwaitCycles();
  slot.handle.store(kNoHandle, std::memory_order_relaxed);
  if (!serverGone_) {
    jack_port_unregister(client_, port);
  }
}

void JackMidiPlatform::AwaitCycles() {
  const std::uint64_t from = cycles_.load(std::memory_order_acquire);
  const Clock::time_point until = Clock::now() + kPatience;
  while (cycles_.load(std::memory_order_acquire) < from + 2 && !serverGone_ &&
         Clock::now() < until) {
    std::this_thread::sleep_for(kPoll);
  }
}

void JackMidiPlatform::AwaitOutgoingSent() {
  const Clock::time_point until = Clock::now() + kPatience;
  while (!outgoing_.Empty() && !serverGone_ && Clock::now() < until) {
    std::this_thread::sleep_for(kPoll);
  }
  // The cycle that took the last event has handed it on once the next one has begun.
  AwaitCycles();
}

// ---- Output. ----

MidiResult JackMidiPlatform::OutputOpen(MidiHandle& handle, unsigned id) {
  std::lock_guard lock(mutex_);
  if (id >= outputs_.size()) {
    return kMidiBadDeviceId;
  }
  const std::string& target = outputs_[id];
  for (const auto& [openHandle, port] : openOutputs_) {
    if (port.target == target) {
      return kMidiAllocated;
    }
  }
  std::size_t slot = 0;
  if (const MidiResult result = OpenSlot(outputSlots_, target, true, nextHandle_, slot);
      result != kMidiOk) {
    return result;
  }
  handle = nextHandle_++;
  openOutputs_.emplace(handle, OutputPort{target, slot});
  return kMidiOk;
}

MidiResult JackMidiPlatform::Queue(const OutputPort& port, MidiHandle handle,
                                   std::span<const std::uint8_t> bytes) {
  if (serverGone_) {
    return kMidiJackServerGone;
  }
  if (jack_port_by_name(client_, port.target.c_str()) == nullptr) {
    return kMidiBadDeviceId;
  }
  if (bytes.size() > largestEvent_) {
    return kMidiInvalidParam;
  }
  const Clock::time_point until = Clock::now() + kPatience;
  while (!outgoing_.Push(handle, bytes)) {
    if (serverGone_) {
      return kMidiJackServerGone;
    }
    if (Clock::now() >= until) {
      return kMidiNotReady;
    }
    std::this_thread::sleep_for(kPoll);
  }
  return kMidiOk;
}

MidiResult JackMidiPlatform::OutputShort(MidiHandle handle, std::uint32_t message) {
  const auto status = static_cast<std::uint8_t>(message & 0xFF);
  const std::size_t length = MidiMessageLength(status);
  if (length == 0) {
    return kMidiInvalidParam;
  }
  std::array<std::uint8_t, 3> bytes = {status};
  for (std::size_t i = 1; i < length; ++i) {
    bytes[i] = static_cast<std::uint8_t>((message >> (8 * i)) & 0xFF);
    if (bytes[i] >= 0x80) {
      return kMidiInvalidParam;
    }
  }
  std::lock_guard lock(mutex_);
  const auto port = openOutputs_.find(handle);
  if (port == openOutputs_.end()) {
    return kMidiInvalidHandle;
  }
  return Queue(port->second, handle, std::span(bytes.data(), length));
}

MidiResult JackMidiPlatform::OutputPrepare(MidiHandle handle, MidiHeader& header) {
  std::lock_guard lock(mutex_);
  if (!openOutputs_.contains(handle)) {
    return kMidiInvalidHandle;
  }
  if (header.data == nullptr && header.bufferLength > 0) {
    return kMidiInvalidParam;
  }
  header.flags = (header.flags & ~kHeaderDone) | kHeaderPrepared;
  return kMidiOk;
}

MidiResult JackMidiPlatform::OutputLong(MidiHandle handle, MidiHeader& header) {
  std::lock_guard lock(mutex_);
  const auto port = openOutputs_.find(handle);
  if (port == openOutputs_.end()) {
    return kMidiInvalidHandle;
  }
  if ((header.flags & kHeaderPrepared) == 0) {
    return kMidiUnprepared;
  }
  const MidiResult result =
      Queue(port->second, handle, std::span<const std::uint8_t>(header.data, header.bufferLength));
  // The bytes were copied to the queue, or refused: the buffer is the caller's again.
  header.flags |= kHeaderDone;
  return result;
}

MidiResult JackMidiPlatform::OutputUnprepare(MidiHandle handle, MidiHeader& header) {
  std::lock_guard lock(mutex_);
  if (!openOutputs_.contains(handle)) {
    return kMidiInvalidHandle;
  }
  header.flags &= ~kHeaderPrepared;
  return kMidiOk;
}

MidiResult JackMidiPlatform::OutputClose(MidiHandle handle) {
  std::lock_guard lock(mutex_);
  const auto port = openOutputs_.find(handle);
  if (port == openOutputs_.end()) {
    return kMidiInvalidHandle;
  }
  AwaitOutgoingSent();
  CloseSlot(outputSlots_[port->second.slot]);
  openOutputs_.erase(port);
  return kMidiOk;
}

// ---- Input. ----

JackMidiPlatform::InputPort* JackMidiPlatform::FindInput(MidiHandle handle) {
  const auto port = openInputs_.find(handle);
  return port == openInputs_.end() ? nullptr : &port->second;
}

MidiResult JackMidiPlatform::InputOpen(MidiHandle& handle, unsigned id, MidiInProc proc,
                                       std::uintptr_t instance) {
  MidiInputPort::Notifications notifications;
  {
    std::lock_guard lock(mutex_);
    if (id >= inputs_.size()) {
      return kMidiBadDeviceId;
    }
    const std::string& source = inputs_[id];
    for (const auto& [openHandle, port] : openInputs_) {
      if (port.source == source) {
        return kMidiAllocated;
      }
    }
    std::size_t slot = 0;
    if (const MidiResult result = OpenSlot(inputSlots_, source, false, nextHandle_, slot);
        result != kMidiOk) {
      return result;
    }
    handle = nextHandle_++;
    const InputPort& port =
        openInputs_
            .try_emplace(handle, InputPort{source, slot, MidiInputPort(handle, proc, instance)})
            .first->second;
    port.state.Opened(notifications);
  }
  DeliverMidiNotifications(notifications);
  return kMidiOk;
}

MidiResult JackMidiPlatform::InputPrepare(MidiHandle handle, MidiHeader& header) {
  std::lock_guard lock(mutex_);
  InputPort* port = FindInput(handle);
  return port == nullptr ? kMidiInvalidHandle : port->state.Prepare(header);
}

MidiResult JackMidiPlatform::InputAddBuffer(MidiHandle handle, MidiHeader& header) {
  std::lock_guard lock(mutex_);
  InputPort* port = FindInput(handle);
  return port == nullptr ? kMidiInvalidHandle : port->state.Add(header);
}

MidiResult JackMidiPlatform::InputUnprepare(MidiHandle handle, MidiHeader& header) {
  std::lock_guard lock(mutex_);
  InputPort* port = FindInput(handle);
  return port == nullptr ? kMidiInvalidHandle : port->state.Unprepare(header);
}

MidiResult JackMidiPlatform::InputStart(MidiHandle handle) {
  std::lock_guard lock(mutex_);
  InputPort* port = FindInput(handle);
  if (port == nullptr) {
    return kMidiInvalidHandle;
  }
  port->state.Start(Clock::now());
  return kMidiOk;
}

MidiResult JackMidiPlatform::InputStop(MidiHandle handle) {
  return GiveBuffersBack(handle, &MidiInputPort::Stop);
}

MidiResult JackMidiPlatform::InputReset(MidiHandle handle) {
  return GiveBuffersBack(handle, &MidiInputPort::Reset);
}

MidiResult JackMidiPlatform::GiveBuffersBack(MidiHandle handle, GiveBack giveBack) {
  MidiInputPort::Notifications notifications;
  {
    std::lock_guard lock(mutex_);
    InputPort* port = FindInput(handle);
    if (port == nullptr) {
      return kMidiInvalidHandle;
    }
    (port->state.*giveBack)(Clock::now(), notifications);
  }
  WaitForDispatch();
  DeliverMidiNotifications(notifications);
  return kMidiOk;
}

MidiResult JackMidiPlatform::InputClose(MidiHandle handle) {
  MidiInputPort::Notifications notifications;
  {
    std::lock_guard lock(mutex_);
    InputPort* port = FindInput(handle);
    if (port == nullptr) {
      return kMidiInvalidHandle;
    }
    if (const MidiResult result = port->state.CanClose(); result != kMidiOk) {
      return result;
    }
    port->state.Closed(notifications);
    CloseSlot(inputSlots_[port->slot]);
    openInputs_.erase(handle);
  }
  // Once the delivery thread has finished what it was handing out, it no longer knows the
  // port; events of it still queued find no port and are dropped.
  WaitForDispatch();
  DeliverMidiNotifications(notifications);
  return kMidiOk;
}

// ---- Delivery thread. ----

void JackMidiPlatform::DeliveryLoop() {
  while (!stopping_) {
    if (sem_wait(&wake_) != 0) {
      continue;  // EINTR
    }
    DeliverIncoming();
    if (portsChanged_.exchange(false)) {
      TellWatcher();
    }
  }
}

void JackMidiPlatform::DeliverIncoming() {
  std::lock_guard dispatch(dispatchMutex_);
  MidiInputPort::Notifications notifications;
  {
    std::lock_guard lock(mutex_);
    JackEventRing::Header header;
    std::vector<std::uint8_t> bytes;
    while (incoming_.Pop(header, bytes)) {
      if (InputPort* port = FindInput(header.tag)) {
        const bool sysEx = !bytes.empty() && bytes.front() == 0xF0;
        port->state.Receive(bytes, sysEx, Clock::now(), notifications);
      }
    }
  }
  DeliverMidiNotifications(notifications);
}

void JackMidiPlatform::TellWatcher() {
  std::lock_guard watch(watchMutex_);
  // A copy, since the function may replace itself through WatchPorts.
  const std::function<void()> changed = changed_;
  if (changed) {
    changed();
  }
}

void JackMidiPlatform::WatchPorts(std::function<void()> changed) {
  if (std::this_thread::get_id() == deliveryId_) {
    changed_ = std::move(changed);  // inside a call: watchMutex_ is already ours
    return;
  }
  std::lock_guard watch(watchMutex_);
  changed_ = std::move(changed);
}

void JackMidiPlatform::WaitForDispatch() {
  if (std::this_thread::get_id() != deliveryId_) {
    std::lock_guard wait(dispatchMutex_);
  }
}

bool JackMidiPlatform::ErrorText(MidiResult result, std::string& text) {
  if (result == kMidiJackServerGone) {
    text = "The JACK server has stopped: start it again, then choose the MIDI port again.";
    return true;
  }
  return DescribeMidiResult(result, text);
}

// Names the server JACK_DEFAULT_SERVER asks for, since a server of another name may run.
MidiError NoServer() {
  const char* server = std::getenv("JACK_DEFAULT_SERVER");
  const std::string named = server != nullptr && *server != '\0' ? server : "";
  return MidiError("VELMORA_MIDI=jack: no JACK server" +
                   (named.empty() ? std::string() : " named \"" + named + "\"") +
                   " is running. Start one, for example with \"jackd" +
                   (named.empty() ? std::string() : " -n " + named) +
                   " -d alsa\" or from QjackCtl, then start this program again.");
}

}  // namespace

std::unique_ptr<MidiPlatform> MakeJackMidiPlatform() {
  jack_set_error_function(IgnoreJackMessage);
  jack_set_info_function(IgnoreJackMessage);
  jack_status_t status{};
  jack_client_t* client = jack_client_open(kClientName, JackNoStartServer, &status);
  if (client == nullptr) {
    if ((status & JackServerFailed) != 0) {
      throw NoServer();
    }
    throw MidiError("VELMORA_MIDI=jack: the JACK server refused this program as a client.");
  }
  auto platform = std::make_unique<JackMidiPlatform>(client);
  if (!platform->Start()) {
    throw MidiError("VELMORA_MIDI=jack: the JACK client could not be started.");
  }
  return platform;
}

}  // namespace velmora

#pragma once

// The JACK backend's one class, shared by the files that each hold one part of it: the
// process callback, our own ports, output, input and its delivery thread, and the client
// (lists, the watcher, making it). Only those files include this header.

#include <jack/jack.h>
#include <semaphore.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "midi/MidiInputPortTable.h"
#include "midi/MidiPlatform.h"
#include "midi/jack/JackEventRing.h"
#include "midi/jack/JackMidiPlatform.h"
#include "midi/jack/JackPortList.h"

namespace velmora {

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
  void WatchInputLoss(std::function<void(std::uint64_t)> lost) override;

 private:
  using Clock = std::chrono::steady_clock;

  // Ports of ours the process thread can serve in each direction, far more than a rig has.
  static constexpr std::size_t kSlots = 64;
  static constexpr std::size_t kOutgoingBytes = std::size_t{1} << 16;
  static constexpr std::size_t kIncomingBytes = std::size_t{1} << 18;
  // How long a send waits for room, and a close for its events to go out, before giving up
  // on a server that no longer runs our process callback.
  static constexpr Clock::duration kPatience = std::chrono::seconds(2);
  static constexpr std::chrono::milliseconds kPoll{1};

  // One port of ours as the process thread sees it: published by storing port last, taken
  // away by clearing port first and waiting for a cycle before unregistering it.
  struct Slot {
    std::atomic<jack_port_t*> port{nullptr};
    std::atomic<MidiHandle> handle{kNoHandle};
  };
  struct OutputPort {
    std::string target;
    std::size_t slot;
  };
  struct InputPort {
    std::string source;
    std::size_t slot = 0;
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

  // Waits, bounded by kPatience, for the process thread to finish two more cycles (so
  // that the one under way has ended) or to empty the outgoing queue.
  void AwaitCycles();
  void AwaitOutgoingSent();
  // Waits, bounded by kPatience, until our port's connection to other is in the graph the
  // process thread runs.
  void AwaitConnection(const jack_port_t* port, const std::string& other);

  void DeliveryLoop();
  void DeliverIncoming();
  void TellWatcher();
  void TellInputLoss();

  jack_client_t* client_;
  // Shared with the process thread, which takes no lock.
  std::array<Slot, kSlots> outputSlots_;
  std::array<Slot, kSlots> inputSlots_;
  JackEventRing outgoing_{kOutgoingBytes};
  JackEventRing incoming_{kIncomingBytes};
  std::atomic<std::uint64_t> cycles_{0};
  // Received events that did not fit the incoming ring, since the delivery thread last told.
  std::atomic<std::uint64_t> lostIncoming_{0};
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
  // The delivery thread hands out what they receive.
  MidiInputPortTable<InputPort> inputPorts_{mutex_};
  MidiHandle nextHandle_ = 1;  // never reused, so a stale handle is refused

  // Held while the watcher is called, so that replacing it waits for a call under way.
  std::mutex watchMutex_;
  std::function<void()> changed_;
  // Held while the loss is told, for the same reason.
  std::mutex lossMutex_;
  std::function<void(std::uint64_t)> lost_;
  std::thread delivery_;
  std::thread::id deliveryId_;
};

}  // namespace velmora

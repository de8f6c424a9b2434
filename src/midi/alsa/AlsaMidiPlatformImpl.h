#pragma once

// The ALSA backend's one class, shared by the two files that each hold one half of it: the
// sequencer and output in AlsaMidiPlatform.cpp, input and its reader thread in AlsaInput.cpp.
// Only those files include this header.

#include <alsa/asoundlib.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "midi/MidiInputPort.h"
#include "midi/MidiInputPortTable.h"
#include "midi/MidiPlatform.h"
#include "midi/alsa/AlsaEventCodec.h"
#include "midi/alsa/AlsaPortList.h"
#include "midi/alsa/AlsaPortWatcher.h"

namespace velmora {

inline bool SameAddress(const AlsaPortAddress& a, const AlsaPortAddress& b) {
  return a.client == b.client && a.port == b.port;
}

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

  // Shared by both halves: our own port connected to target, or from it.
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

}  // namespace velmora

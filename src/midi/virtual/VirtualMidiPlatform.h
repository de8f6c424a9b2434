#pragma once

// In-memory MIDI ports: the test seam, and the fallback on a machine without MIDI.
// Records every buffer sent, verbatim, and lets a test inject input.
//
// Input goes through the same notification path as a real device: a short message
// becomes kMimData; long data fills the buffer at the head of the port's queue and comes
// back through kMimLongData. Long data with no buffer queued is lost, as on a device.
// Every call may come from any thread.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "midi/MidiPlatform.h"
#include "midi/virtual/VirtualReplay.h"

namespace velmora {

struct SentBuffer {
  unsigned port = 0;
  std::string portName;  // the name of the port at that index when it was sent
  bool isShort = false;  // sent with OutputShort (3 packed bytes) rather than OutputLong
  std::vector<std::uint8_t> bytes;
  std::chrono::steady_clock::time_point at;
};

// The result of a send whose capture line could not be written; its text names the file.
inline constexpr MidiResult kMidiCaptureWriteFailed = 0x7F01;

class VirtualMidiPlatform : public MidiPlatform {
 public:
  // Port names are "Virtual Out 1".., "Virtual In 1"..; capturePath empty = no capture file,
  // replayPath empty = no scripted input (see VirtualReplay.h). A capture file that cannot
  // be opened, or a replay file that cannot be read or holds a malformed line, throws
  // MidiError.
  VirtualMidiPlatform(unsigned outputs, unsigned inputs, std::string capturePath = {},
                      const std::string& replayPath = {});
  ~VirtualMidiPlatform() override;

  // Snapshot of everything sent so far, in order.
  std::vector<SentBuffer> Sent() const;
  void ClearSent();

  // Input as a device would deliver it; blocks until the notification has run. Input to a
  // port that is not open and started goes nowhere.
  void InjectShort(unsigned port, std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
  void InjectLong(unsigned port, std::span<const std::uint8_t> bytes);

  // Hot-plug: a port of that name appears at position at (0 = first; past the end appends)
  // or the port at position at goes, as when a device is plugged in or pulled out. An open
  // port that goes leaves its handle refused. Each change is reported to the function given
  // to WatchPorts, on the calling thread, outside every lock of the platform.
  void InsertOutput(unsigned at, const std::string& name);
  void InsertInput(unsigned at, const std::string& name);
  void RemoveOutput(unsigned at);
  void RemoveInput(unsigned at);

  // Fault injection: the next call of the named operation (e.g. "OutputOpen") returns result.
  // Throws std::invalid_argument for a name that is not an operation of the platform.
  void FailNext(const std::string& operation, MidiResult result);

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
    std::string name;
    MidiHandle handle = kNoHandle;
  };
  struct InputPort {
    std::string name;
    MidiHandle handle = kNoHandle;
    MidiInProc proc = nullptr;
    std::uintptr_t instance = 0;
    bool started = false;
    std::deque<MidiHeader*> queue;
  };
  // Where a notification goes, taken under the state lock and used outside it.
  struct Notification {
    MidiInProc proc = nullptr;
    MidiHandle handle = kNoHandle;
    std::uintptr_t instance = 0;
  };

  bool TakeFailure(const char* operation, MidiResult& result);
  InputPort* InputOf(MidiHandle handle);
  int OutputOf(MidiHandle handle) const;
  // False when the capture line could not be written; nothing is recorded then.
  bool Record(unsigned port, bool isShort, const std::uint8_t* bytes, std::size_t count);
  // The replay of the port behind handle restarts from its first line, or stops.
  void StartReplay(MidiHandle handle);
  void StopReplay(MidiHandle handle);
  int InputIndexOf(MidiHandle handle);
  std::uintptr_t MillisecondsSinceStart() const;

  const std::chrono::steady_clock::time_point start_;
  // Guards all port state and the record. Never held while a notification runs, since the
  // notification calls back into this platform (prepare, add buffer, the thru's sends).
  mutable std::mutex mutex_;
  // Held for a whole notification, and by every call that changes whether one may run
  // (open, start, stop, reset, close): once such a call returns, no stale one is running.
  std::recursive_mutex deliveryMutex_;
  void ReportChange();

  std::vector<OutputPort> outputs_;
  std::vector<InputPort> inputs_;
  MidiHandle nextHandle_ = 1;
  std::vector<SentBuffer> sent_;
  std::map<std::string, MidiResult> failures_;
  std::FILE* capture_ = nullptr;
  std::string capturePath_;
  std::string captureError_;
  // One run per input port while it is started. Runs are stopped outside every other lock
  // of the platform: stopping waits for a delivery, which takes those locks.
  std::vector<ReplayLine> replay_;
  std::mutex replayMutex_;
  std::vector<std::unique_ptr<ReplayRun>> replayRuns_;
  std::vector<std::unique_ptr<ReplayRun>> retiredRuns_;
  std::mutex watchMutex_;
  std::function<void()> changed_;
};

}  // namespace velmora

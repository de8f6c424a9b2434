#pragma once

// One open input port as the Windows multimedia API presents it, for backends that receive
// messages from elsewhere (the ALSA sequencer): started or not, its queue of receive
// buffers, and the notifications that what arrives turns into. The backend delivers the
// notifications after releasing its own locks, since the procedure calls back into it.
//
// Not thread-safe: the owner serialises calls.

#include <chrono>
#include <cstdint>
#include <span>
#include <vector>

#include "midi/MidiInputBufferQueue.h"
#include "midi/MidiPlatform.h"

namespace velmora {

struct MidiNotification {
  MidiInProc proc;
  MidiHandle handle;
  std::uint32_t message;
  std::uintptr_t instance;
  std::uintptr_t param1;
  std::uintptr_t param2;

  bool operator==(const MidiNotification&) const = default;
};

void DeliverMidiNotifications(const std::vector<MidiNotification>& notifications);

class MidiInputPort {
 public:
  using Clock = std::chrono::steady_clock;
  using Notifications = std::vector<MidiNotification>;

  // A null procedure is allowed: buffers still cycle, nobody is told.
  MidiInputPort(MidiHandle handle, MidiInProc proc, std::uintptr_t instance);

  void Opened(Notifications& out) const;
  void Closed(Notifications& out) const;

  MidiResult Prepare(MidiHeader& header) { return buffers_.Prepare(header); }
  MidiResult Add(MidiHeader& header) { return buffers_.Add(header); }
  MidiResult Unprepare(MidiHeader& header) { return buffers_.Unprepare(header); }
  // Closing with buffers still queued is refused, as winmm refuses it.
  MidiResult CanClose() const { return buffers_.Empty() ? kMidiOk : kMidiStillPlaying; }

  // Time stamps (param2) count milliseconds from the last start.
  void Start(Clock::time_point now);
  // Stop gives back a partly filled buffer; reset gives back every queued buffer.
  void Stop(Clock::time_point now, Notifications& out);
  void Reset(Clock::time_point now, Notifications& out);

  // Bytes of one received event. Outside a SysEx they may hold several messages, each
  // becoming one kMimData; a SysEx event's bytes go to the receive buffers. Nothing is
  // received while the port is stopped.
  void Receive(std::span<const std::uint8_t> bytes, bool sysEx, Clock::time_point now,
               Notifications& out);

 private:
  std::uintptr_t Stamp(Clock::time_point now) const;
  void Notify(std::uint32_t message, std::uintptr_t param1, std::uintptr_t param2,
              Notifications& out) const;
  void ReturnBuffers(const std::vector<MidiHeader*>& headers, Clock::time_point now,
                     Notifications& out) const;

  MidiHandle handle_;
  MidiInProc proc_;
  std::uintptr_t instance_;
  bool started_ = false;
  Clock::time_point startedAt_;
  MidiInputBufferQueue buffers_;
};

}  // namespace velmora

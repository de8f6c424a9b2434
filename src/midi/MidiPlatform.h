#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace velmora {

// Result codes keep the meaning of the Windows multimedia API on every backend, so the
// device layer behaves the same whichever system stands behind it.
using MidiResult = std::uint32_t;
inline constexpr MidiResult kMidiOk = 0;
inline constexpr MidiResult kMidiBadDeviceId = 2;
inline constexpr MidiResult kMidiAllocated = 4;
inline constexpr MidiResult kMidiInvalidHandle = 5;
inline constexpr MidiResult kMidiNoDriver = 6;
inline constexpr MidiResult kMidiNoMemory = 7;
inline constexpr MidiResult kMidiInvalidParam = 11;
inline constexpr MidiResult kMidiUnprepared = 64;
inline constexpr MidiResult kMidiStillPlaying = 65;
inline constexpr MidiResult kMidiNotReady = 67;

// An open port as the platform names it; kNoHandle while the port is closed.
using MidiHandle = std::uintptr_t;
inline constexpr MidiHandle kNoHandle = 0;

// The fields of a long-message buffer header that the device layer uses.
struct MidiHeader {
  std::uint8_t* data = nullptr;
  std::uint32_t bufferLength = 0;
  std::uint32_t bytesRecorded = 0;
  std::uint32_t flags = 0;
};
inline constexpr std::uint32_t kHeaderDone = 0x1;
inline constexpr std::uint32_t kHeaderPrepared = 0x2;
inline constexpr std::uint32_t kHeaderInQueue = 0x4;

// Input notifications handed to the notification procedure.
inline constexpr std::uint32_t kMimOpen = 0x3C1;
inline constexpr std::uint32_t kMimClose = 0x3C2;
inline constexpr std::uint32_t kMimData = 0x3C3;
inline constexpr std::uint32_t kMimLongData = 0x3C4;
inline constexpr std::uint32_t kMimError = 0x3C5;
inline constexpr std::uint32_t kMimLongError = 0x3C6;
inline constexpr std::uint32_t kMimMoreData = 0x3CC;

using MidiInProc = void (*)(MidiHandle handle, std::uint32_t message, std::uintptr_t instance,
                            std::uintptr_t param1, std::uintptr_t param2);

// The operations the device layer needs from a MIDI system. Port ids are 0..count-1 in the
// system's order. Every call returns a result code; kMidiOk means success.
class MidiPlatform {
 public:
  virtual ~MidiPlatform() = default;

  virtual unsigned InputCount() = 0;
  virtual MidiResult InputName(unsigned id, std::string& name) = 0;
  virtual MidiResult InputOpen(MidiHandle& handle, unsigned id, MidiInProc proc,
                               std::uintptr_t instance) = 0;
  virtual MidiResult InputPrepare(MidiHandle handle, MidiHeader& header) = 0;
  virtual MidiResult InputAddBuffer(MidiHandle handle, MidiHeader& header) = 0;
  virtual MidiResult InputUnprepare(MidiHandle handle, MidiHeader& header) = 0;
  virtual MidiResult InputStart(MidiHandle handle) = 0;
  virtual MidiResult InputStop(MidiHandle handle) = 0;
  virtual MidiResult InputReset(MidiHandle handle) = 0;
  virtual MidiResult InputClose(MidiHandle handle) = 0;

  virtual unsigned OutputCount() = 0;
  virtual MidiResult OutputName(unsigned id, std::string& name) = 0;
  virtual MidiResult OutputOpen(MidiHandle& handle, unsigned id) = 0;
  virtual MidiResult OutputShort(MidiHandle handle, std::uint32_t message) = 0;
  virtual MidiResult OutputPrepare(MidiHandle handle, MidiHeader& header) = 0;
  // Returns once the platform no longer needs header.data: the caller may free it after
  // OutputUnprepare succeeds.
  virtual MidiResult OutputLong(MidiHandle handle, MidiHeader& header) = 0;
  virtual MidiResult OutputUnprepare(MidiHandle handle, MidiHeader& header) = 0;
  virtual MidiResult OutputClose(MidiHandle handle) = 0;

  // The text shown to the user for a result code; false when the code has none.
  virtual bool ErrorText(MidiResult result, std::string& text) = 0;

  // Asks to be told when ports may have appeared or gone, so the lists can follow the
  // system. The platform calls changed from a thread of its own and never while it holds a
  // lock the device layer takes; an empty function stops the calls. A platform that cannot
  // watch keeps this default, and its lists are rescanned when the shell hears of a change
  // some other way (a device-change message on Windows).
  virtual void WatchPorts(std::function<void()> changed) { (void)changed; }

  // Asks to be told how many received events were lost because they came faster than they
  // were read (the system's input pool or our ring was full). Called on the thread that
  // delivers input, after the events received before the loss and before those after it;
  // an empty function stops the calls, waiting for one under way. A platform that never
  // loses input silently keeps this default.
  virtual void WatchInputLoss(std::function<void(std::uint64_t lost)> lost) { (void)lost; }
};

}  // namespace velmora

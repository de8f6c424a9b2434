#pragma once

// The device layer: one object for all input ports, one for all output ports, each keeping
// its ports' open handles next to their names. Every platform result goes through
// CheckResult, which turns a failure into a MidiError carrying the platform's text.
//
// Two threads meet here: the user-interface thread, and the platform's notification thread
// on which input arrives (and the MIDI thru sends). The port list is an immutable table of
// port slots, replaced whole when ports come and go; a slot (name, handle, receive buffer)
// lives as long as its port, so an open port keeps its handle while its index moves. Taking
// the table costs one short uncontended lock that is never held across a platform call (a
// platform may call back into the layer from inside one); handles and the last result are
// atomic.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "midi/ByteStream.h"
#include "midi/MidiPlatform.h"
#include "midi/SysExData.h"

namespace velmora {

class MidiError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TMidiDevices {
 public:
  virtual ~TMidiDevices();
  TMidiDevices(const TMidiDevices&) = delete;
  TMidiDevices& operator=(const TMidiDevices&) = delete;

  virtual void OpenDevice(int index) = 0;
  virtual void CloseDevice(int index) = 0;

  // Port names in device order: a name's position is the port's device index.
  std::vector<std::string> DeviceNames() const;
  int DeviceCount() const;
  MidiResult LastResult() const;

  void CheckResult(MidiResult result);
  // Throws "<class>: Device index out of bounds! (<index>)" for an index outside the list.
  MidiHandle HandleOf(int index) const;

  // Following the system, in three steps, so that a caller can make the switch of lists one
  // step with its own state (the monitor switches under LogLock, where no thru send runs):
  // ListPlatformPorts asks the platform for the names in its order now (a refused name
  // throws and changes nothing); AdoptPorts makes them the list without any platform call,
  // keeping each port that is still there (told apart by name, and by order among ports of
  // the same name) with its handle; CloseVanishedPorts then closes the open ports that left
  // the list, ignoring refusals, since the device behind them is gone.
  std::vector<std::string> ListPlatformPorts();
  void AdoptPorts(const std::vector<std::string>& names);
  void CloseVanishedPorts() noexcept;
  // The three steps at once, for a caller with no state of its own to switch.
  void Rescan();

 protected:
  struct PortSlot;
  using PortTable = std::vector<std::shared_ptr<PortSlot>>;

  // receives: each port gets a receive buffer (the input side).
  TMidiDevices(MidiPlatform& platform, const char* className, bool receives);
  // Called once by the derived constructor: asks the platform for every port's name in device
  // order; a name ends at its first NUL, as in a fixed-size name field.
  void ListPorts();
  void SetHandle(int index, MidiHandle handle);
  std::shared_ptr<const PortTable> Table() const;
  std::shared_ptr<PortSlot> SlotAt(int index) const;
  [[noreturn]] void ThrowOutOfBounds(long long index) const;
  // The slot whose key the platform hands back with every notification, and its index now;
  // -1 for a port that has left the list and is being closed; nullptr when no port has it.
  std::shared_ptr<PortSlot> SlotOfKey(std::uintptr_t key, int& index) const;

  virtual unsigned PlatformCount() = 0;
  virtual MidiResult PlatformName(unsigned id, std::string& name) = 0;
  virtual void ClosePortQuietly(PortSlot& slot) noexcept = 0;

  MidiPlatform& platform_;
  const char* className_;

 private:
  std::shared_ptr<PortSlot> NewSlot(const std::string& name);

  mutable std::mutex tableMutex_;
  std::shared_ptr<const PortTable> table_;
  PortTable vanished_;  // open ports that left the list, until CloseVanishedPorts
  std::uintptr_t nextKey_ = 0;
  bool receives_;
  std::atomic<MidiResult> lastResult_ = kMidiOk;
};

// One port while it is in the list. The key is handed to the platform with an input port's
// notifications: the first list's keys are the ports' indices, later ports get new ones.
struct TMidiDevices::PortSlot {
  std::string name;
  std::uintptr_t key = 0;
  std::atomic<MidiHandle> handle = kNoHandle;
  std::unique_ptr<TSysExData> sysEx;  // the receive buffer, input ports only
};

class TMidiInput : public TMidiDevices {
 public:
  using ShortHandler =
      std::function<void(int device, std::uint8_t status, std::uint8_t data1, std::uint8_t data2)>;
  using SysExHandler = std::function<void(int device, ByteStream& stream)>;
  // Received events the system or the platform lost because they came faster than they
  // were read; they belong to no one port.
  using LossHandler = std::function<void(std::uint64_t lost)>;

  explicit TMidiInput(MidiPlatform& platform);
  // Stops, resets and closes every port still open before the buffers go.
  ~TMidiInput() override;

  void OpenDevice(int index) override;
  void CloseDevice(int index) override;
  void HandleSysExBuffer(int index);

  void SetOnShortReceived(ShortHandler handler);
  void SetOnSysExReceived(SysExHandler handler);
  void SetOnInputLost(LossHandler handler);

  // Errors raised on the notification thread never leave it; they wait here for the
  // user-interface thread. Returns the oldest waiting error text, or false when none.
  bool TakeNotificationError(std::string& text);

  // Closes every open port, ignoring refusals: for shutdown, where nobody is left to tell.
  void CloseAllPorts() noexcept;

 protected:
  unsigned PlatformCount() override;
  MidiResult PlatformName(unsigned id, std::string& name) override;
  void ClosePortQuietly(PortSlot& slot) noexcept override;

 private:
  friend void MidiInCallback(MidiHandle, std::uint32_t, std::uintptr_t, std::uintptr_t,
                             std::uintptr_t);
  void Notify(std::uint32_t message, std::uintptr_t key, std::uintptr_t packed);
  void NotifyLoss(std::uint64_t lost) noexcept;
  void HandleSlotBuffer(int index, PortSlot& slot);
  // Takes the bare text so that copying it, too, happens where nothing can escape.
  void QueueNotificationError(const char* text) noexcept;
  // Shared so the notification thread can call a handler while a new one is being set.
  std::mutex handlersMutex_;
  std::shared_ptr<const ShortHandler> onShort_;
  std::shared_ptr<const SysExHandler> onSysEx_;
  std::shared_ptr<const LossHandler> onLoss_;
  std::mutex errorsMutex_;
  std::vector<std::string> errors_;
};

class TMidiOutput : public TMidiDevices {
 public:
  explicit TMidiOutput(MidiPlatform& platform);
  // Closes every port still open.
  ~TMidiOutput() override;

  void OpenDevice(int index) override;
  void CloseDevice(int index) override;
  void SendShort(int index, std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
  // Converts message text (HexTextToStream) and sends it as one long-message buffer.
  void SendText(int index, const std::string& text);
  // An empty stream sends nothing: no platform call, no error (the index is still checked).
  void SendStream(int index, ByteStream& stream);

  // Closes every open port, ignoring refusals: for shutdown, where nobody is left to tell.
  void CloseAllPorts() noexcept;

  // The send tap: told every buffer a port has taken, with the port's index and the bytes as
  // the port took them, on the sending thread (the user-interface thread, or the
  // notification thread for the MIDI thru), after the send returned. A send that failed
  // never reached the wire and is not told. While no tap is set a send pays one atomic load.
  // An empty function removes the tap; once this returns, the old one is no longer called.
  using SendTap = std::function<void(int index, std::span<const std::uint8_t> bytes)>;
  void SetSendTap(SendTap tap);

 protected:
  unsigned PlatformCount() override;
  MidiResult PlatformName(unsigned id, std::string& name) override;
  void ClosePortQuietly(PortSlot& slot) noexcept override;

 private:
  void Tap(int index, std::span<const std::uint8_t> bytes);

  std::atomic<bool> tapped_ = false;
  // Held while the tap runs, so that removing it waits for a call in progress.
  std::mutex tapMutex_;
  SendTap tap_;
  // Held from the "is it open?" test to the stored handle, so that the MIDI thru opening a
  // port on demand and the user-interface thread never open the same port twice.
  std::mutex openCloseMutex_;
};

void MidiInCallback(MidiHandle handle, std::uint32_t message, std::uintptr_t instance,
                    std::uintptr_t param1, std::uintptr_t param2);

// The process-wide objects, built on first use against the current platform.
TMidiInput& GetMidiInput();
TMidiOutput& GetMidiOutput();

// Chooses the platform the accessors build on (VELMORA_MIDI, or the system's default when
// none was installed). Installing a new platform releases the current device objects first.
void InstallMidiPlatform(std::unique_ptr<MidiPlatform> platform);
MidiPlatform& CurrentMidiPlatform();
// Closes every open port (input first), then destroys both objects and empties the slots.
void ReleaseMidiDevices();

// "B0 0C 31" -> bytes; see the conversion rules in HexText.cpp.
void HexTextToStream(const std::string& text, ByteStream& stream);
std::string StreamToHexText(ByteStream& stream);

}  // namespace velmora

#pragma once

// The device layer: one object for all input ports, one for all output ports, each keeping
// its ports' open handles next to their names. Every platform result goes through
// CheckResult, which turns a failure into a MidiError carrying the platform's text.
//
// Two threads meet here: the user-interface thread, and the platform's notification thread
// on which input arrives (and the MIDI thru sends). The port list is fixed once built; each
// handle and the last result are atomic, so no lock is held across a platform call (a
// platform may call back into the layer from inside one) and sending costs no lock.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "midi/ByteStream.h"
#include "midi/MidiPlatform.h"

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

 protected:
  TMidiDevices(MidiPlatform& platform, const char* className);
  // Called once by the derived constructor: asks the platform for every port's name in device
  // order; a name ends at its first NUL, as in a fixed-size name field.
  void ListPorts(unsigned count, MidiResult (MidiPlatform::*nameOf)(unsigned, std::string&));
  void SetHandle(int index, MidiHandle handle);

  MidiPlatform& platform_;
  const char* className_;

 private:
  std::vector<std::string> names_;
  std::vector<std::atomic<MidiHandle>> handles_;
  std::atomic<MidiResult> lastResult_ = kMidiOk;
};

class TSysExData;

class TMidiInput : public TMidiDevices {
 public:
  using ShortHandler =
      std::function<void(int device, std::uint8_t status, std::uint8_t data1, std::uint8_t data2)>;
  using SysExHandler = std::function<void(int device, ByteStream& stream)>;

  explicit TMidiInput(MidiPlatform& platform);
  // Stops, resets and closes every port still open before the buffers go.
  ~TMidiInput() override;

  void OpenDevice(int index) override;
  void CloseDevice(int index) override;
  void HandleSysExBuffer(int index);

  void SetOnShortReceived(ShortHandler handler);
  void SetOnSysExReceived(SysExHandler handler);

  // Errors raised on the notification thread never leave it; they wait here for the
  // user-interface thread. Returns the oldest waiting error text, or false when none.
  bool TakeNotificationError(std::string& text);

  // Closes every open port, ignoring refusals: for shutdown, where nobody is left to tell.
  void CloseAllPorts() noexcept;

 private:
  friend void MidiInCallback(MidiHandle, std::uint32_t, std::uintptr_t, std::uintptr_t,
                             std::uintptr_t);
  void DeliverShort(int index, std::uintptr_t packed);
  // Takes the bare text so that copying it, too, happens where nothing can escape.
  void QueueNotificationError(const char* text) noexcept;
  std::vector<std::unique_ptr<TSysExData>> sysExBuffers_;
  // Shared so the notification thread can call a handler while a new one is being set.
  std::mutex handlersMutex_;
  std::shared_ptr<const ShortHandler> onShort_;
  std::shared_ptr<const SysExHandler> onSysEx_;
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

 private:
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

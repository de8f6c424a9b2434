// The process-wide platform and device objects. The slots are read from the notification
// thread too (PeekMidiInput), so they sit behind one mutex; it is never held across a call
// that may reach the platform's notification procedure.

#include "midi/DeviceSlots.h"

#include "midi/PlatformChoice.h"

namespace velmora {
namespace {

// Members are destroyed in reverse order: at program end without ReleaseMidiDevices the
// input object goes first, then the output object, and the platform they use goes last.
struct Slots {
  std::mutex mutex;
  std::unique_ptr<MidiPlatform> platform;
  std::unique_ptr<TMidiOutput> output;
  std::unique_ptr<TMidiInput> input;
};

Slots& TheSlots() {
  static Slots slots;
  return slots;
}

MidiPlatform& PlatformLocked(Slots& slots) {
  if (!slots.platform) {
    slots.platform = MakeMidiPlatformFromEnvironment();
  }
  return *slots.platform;
}

}  // namespace

TMidiInput* PeekMidiInput() {
  Slots& slots = TheSlots();
  std::lock_guard lock(slots.mutex);
  return slots.input.get();
}

MidiPlatform& CurrentMidiPlatform() {
  Slots& slots = TheSlots();
  std::lock_guard lock(slots.mutex);
  return PlatformLocked(slots);
}

// Building the objects only lists ports, which never calls back, so the lock may be held.
TMidiInput& GetMidiInput() {
  Slots& slots = TheSlots();
  std::lock_guard lock(slots.mutex);
  if (!slots.input) {
    slots.input = std::make_unique<TMidiInput>(PlatformLocked(slots));
  }
  return *slots.input;
}

TMidiOutput& GetMidiOutput() {
  Slots& slots = TheSlots();
  std::lock_guard lock(slots.mutex);
  if (!slots.output) {
    slots.output = std::make_unique<TMidiOutput>(PlatformLocked(slots));
  }
  return *slots.output;
}

void ReleaseMidiDevices() {
  Slots& slots = TheSlots();
  TMidiInput* input;
  TMidiOutput* output;
  {
    std::lock_guard lock(slots.mutex);
    input = slots.input.get();
    output = slots.output.get();
  }
  // Closing an input port makes the platform hand its buffer back through the notification
  // procedure, which looks the object up in its slot: it must still be there.
  if (input) {
    input->CloseAllPorts();
  }
  if (output) {
    output->CloseAllPorts();
  }
  std::unique_ptr<TMidiInput> releasedInput;
  std::unique_ptr<TMidiOutput> releasedOutput;
  {
    std::lock_guard lock(slots.mutex);
    releasedInput = std::move(slots.input);
    releasedOutput = std::move(slots.output);
  }
  releasedInput.reset();
  releasedOutput.reset();
}

void InstallMidiPlatform(std::unique_ptr<MidiPlatform> platform) {
  ReleaseMidiDevices();
  std::unique_ptr<MidiPlatform> previous;
  Slots& slots = TheSlots();
  std::lock_guard lock(slots.mutex);
  previous = std::move(slots.platform);
  slots.platform = std::move(platform);
}

}  // namespace velmora

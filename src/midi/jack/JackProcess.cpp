#include <jack/jack.h>
#include <jack/midiport.h>
#include <semaphore.h>

#include <algorithm>
#include <array>

#include "midi/jack/JackMidiPlatformImpl.h"

namespace velmora {

// No lock, no allocation, no wait.

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
  bool wake = false;
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
      if (jack_midi_event_get(&event, buffer, i) != 0) {
        continue;
      }
      if (!incoming_.Push(handle, {event.buffer, event.size})) {
        lostIncoming_.fetch_add(1, std::memory_order_relaxed);
      }
      wake = true;
    }
  }
  if (wake) {
    sem_post(&wake_);  // never blocks: at most a futex wake
  }
}

}  // namespace velmora

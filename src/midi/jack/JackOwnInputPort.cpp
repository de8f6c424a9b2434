// The rig as a JACK client with one MIDI input port that any client can connect to.

#include <jack/jack.h>
#include <jack/midiport.h>
#include <jack/ringbuffer.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "midi/Midi.h"
#include "midi/OwnInputPort.h"

namespace velmora {
namespace {

// Room for what arrives between two looks of the reading thread, with a wide margin.
constexpr std::size_t kRingBytes = std::size_t{1} << 20;
constexpr std::chrono::milliseconds kPoll{2};

void IgnoreJackMessage(const char*) {}

class JackOwnInputPort final : public OwnInputPort {
 public:
  JackOwnInputPort(const std::string& name, OwnInputHandler onBytes)
      : onBytes_(std::move(onBytes)), ring_(jack_ringbuffer_create(kRingBytes)) {
    jack_set_error_function(IgnoreJackMessage);
    jack_set_info_function(IgnoreJackMessage);
    jack_status_t status{};
    client_ = jack_client_open(name.c_str(), JackNoStartServer, &status);
    if (client_ == nullptr) {
      jack_ringbuffer_free(ring_);
      throw MidiError((status & JackServerFailed) != 0
                          ? "VELMORA_MIDI=jack: no JACK server is running."
                          : "VELMORA_MIDI=jack: the JACK server refused this program as a client.");
    }
    port_ = jack_port_register(client_, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    if (port_ == nullptr || jack_set_process_callback(client_, &Process, this) != 0 ||
        jack_activate(client_) != 0) {
      jack_client_close(client_);
      jack_ringbuffer_free(ring_);
      throw MidiError("VELMORA_MIDI=jack: the JACK MIDI input port \"" + name +
                      ":in\" could not be made.");
    }
    reader_ = std::thread([this] { Read(); });
  }

  ~JackOwnInputPort() override {
    jack_deactivate(client_);
    stopping_ = true;
    reader_.join();
    jack_client_close(client_);
    jack_ringbuffer_free(ring_);
  }

 private:
  // The process thread: each event goes into the ring as its size and its bytes. An event
  // with no room is lost whole, never cut.
  static int Process(jack_nframes_t frames, void* self) {
    auto& port = *static_cast<JackOwnInputPort*>(self);
    void* buffer = jack_port_get_buffer(port.port_, frames);
    const std::uint32_t count = jack_midi_get_event_count(buffer);
    for (std::uint32_t i = 0; i < count; ++i) {
      jack_midi_event_t event;
      if (jack_midi_event_get(&event, buffer, i) != 0) {
        continue;
      }
      const std::uint32_t size = static_cast<std::uint32_t>(event.size);
      if (jack_ringbuffer_write_space(port.ring_) < sizeof size + size) {
        continue;
      }
      jack_ringbuffer_write(port.ring_, reinterpret_cast<const char*>(&size), sizeof size);
      jack_ringbuffer_write(port.ring_, reinterpret_cast<const char*>(event.buffer), size);
    }
    return 0;
  }

  void Read() {
    std::vector<std::uint8_t> bytes;
    while (true) {
      const bool last = stopping_;
      std::uint32_t size = 0;
      while (jack_ringbuffer_read_space(ring_) >= sizeof size) {
        jack_ringbuffer_read(ring_, reinterpret_cast<char*>(&size), sizeof size);
        bytes.resize(size);
        jack_ringbuffer_read(ring_, reinterpret_cast<char*>(bytes.data()), size);
        onBytes_(bytes);
      }
      if (last) {
        return;
      }
      std::this_thread::sleep_for(kPoll);
    }
  }

  OwnInputHandler onBytes_;
  jack_ringbuffer_t* ring_;
  jack_client_t* client_ = nullptr;
  jack_port_t* port_ = nullptr;
  std::atomic<bool> stopping_ = false;
  std::thread reader_;
};

}  // namespace

std::unique_ptr<OwnInputPort> CreateJackOwnInputPort(const std::string& name,
                                                     OwnInputHandler onBytes) {
  return std::make_unique<JackOwnInputPort>(name, std::move(onBytes));
}

}  // namespace velmora

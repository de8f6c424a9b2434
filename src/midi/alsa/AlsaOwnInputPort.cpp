// The rig as an ALSA sequencer client with one port that any program can write to.

#include <alsa/asoundlib.h>
#include <poll.h>

#include <atomic>
#include <thread>
#include <vector>

#include "midi/Midi.h"
#include "midi/OwnInputPort.h"
#include "midi/alsa/AlsaEventCodec.h"

namespace velmora {
namespace {

// How often the reading thread looks whether it should end.
constexpr int kStopCheckMs = 50;

class AlsaOwnInputPort final : public OwnInputPort {
 public:
  AlsaOwnInputPort(const std::string& name, OwnInputHandler onBytes)
      : onBytes_(std::move(onBytes)) {
    const int opened = snd_seq_open(&seq_, "default", SND_SEQ_OPEN_INPUT, SND_SEQ_NONBLOCK);
    if (opened < 0) {
      throw MidiError(std::string("Cannot open the ALSA sequencer: ") + snd_strerror(opened) + ".");
    }
    snd_seq_set_client_name(seq_, name.c_str());
    const int port = snd_seq_create_simple_port(
        seq_, name.c_str(), SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE,
        SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    if (port < 0) {
      snd_seq_close(seq_);
      throw MidiError(std::string("Cannot make the ALSA sequencer port \"") + name +
                      "\": " + snd_strerror(port) + ".");
    }
    reader_ = std::thread([this] { Read(); });
  }

  ~AlsaOwnInputPort() override {
    stopping_ = true;
    reader_.join();
    snd_seq_close(seq_);
  }

 private:
  void Read() {
    std::vector<pollfd> fds(static_cast<std::size_t>(snd_seq_poll_descriptors_count(seq_, POLLIN)));
    snd_seq_poll_descriptors(seq_, fds.data(), static_cast<unsigned>(fds.size()), POLLIN);
    while (!stopping_) {
      poll(fds.data(), fds.size(), kStopCheckMs);
      snd_seq_event_t* event = nullptr;
      while (snd_seq_event_input(seq_, &event) >= 0 && event != nullptr) {
        const std::vector<std::uint8_t> bytes = codec_.Decode(*event);
        if (!bytes.empty()) {
          onBytes_(bytes);
        }
      }
    }
  }

  OwnInputHandler onBytes_;
  snd_seq_t* seq_ = nullptr;
  AlsaEventCodec codec_;
  std::atomic<bool> stopping_ = false;
  std::thread reader_;
};

}  // namespace

std::unique_ptr<OwnInputPort> CreateAlsaOwnInputPort(const std::string& name,
                                                     OwnInputHandler onBytes) {
  return std::make_unique<AlsaOwnInputPort>(name, std::move(onBytes));
}

}  // namespace velmora

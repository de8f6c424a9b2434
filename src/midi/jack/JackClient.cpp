#include <jack/jack.h>
#include <jack/midiport.h>
#include <semaphore.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>
#include <thread>

#include "midi/Midi.h"
#include "midi/ResultText.h"
#include "midi/jack/JackMidiPlatformImpl.h"

namespace velmora {

namespace {

constexpr const char* kClientName = "Velmora";

// libjack prints its failures to stderr ("Cannot connect to server socket"); we report
// them through exceptions and result codes instead.
void IgnoreJackMessage(const char*) {}

// Names the server JACK_DEFAULT_SERVER asks for, since a server of another name may run.
MidiError NoServer() {
  const char* server = std::getenv("JACK_DEFAULT_SERVER");
  const std::string named = server != nullptr && *server != '\0' ? server : "";
  return MidiError("VELMORA_MIDI=jack: no JACK server" +
                   (named.empty() ? std::string() : " named \"" + named + "\"") +
                   " is running. Start one, for example with \"jackd" +
                   (named.empty() ? std::string() : " -n " + named) +
                   " -d alsa\" or from QjackCtl, then start this program again.");
}

}  // namespace

JackMidiPlatform::JackMidiPlatform(jack_client_t* client) : client_(client) {
  sem_init(&wake_, 0, 0);
  // Half a port buffer always fits in an empty one, whatever the server's own overhead.
  const std::size_t portBuffer = jack_port_type_get_buffer_size(client_, JACK_DEFAULT_MIDI_TYPE);
  largestEvent_ = std::min(portBuffer / 2, outgoing_.LargestEvent());
}

bool JackMidiPlatform::Start() {
  if (!outgoing_.Valid() || !incoming_.Valid()) {
    return false;
  }
  jack_set_process_callback(client_, &JackMidiPlatform::Process, this);
  jack_set_port_registration_callback(client_, &JackMidiPlatform::PortRegistered, this);
  jack_set_client_registration_callback(client_, &JackMidiPlatform::ClientRegistered, this);
  jack_on_info_shutdown(client_, &JackMidiPlatform::ServerStopped, this);
  try {
    delivery_ = std::thread([this] { DeliveryLoop(); });
    deliveryId_ = delivery_.get_id();
    inputPorts_.SetDeliveryThread(deliveryId_);
  } catch (const std::system_error&) {
    return false;
  }
  return jack_activate(client_) == 0;
}

JackMidiPlatform::~JackMidiPlatform() {
  // What the device layer queued last still goes out, such as the end of a preset load by
  // a command that exits right after it. Buffers still queued for input belong to a device
  // layer that is already gone: they are dropped, not handed back.
  AwaitOutgoingSent();
  if (delivery_.joinable()) {
    stopping_ = true;
    sem_post(&wake_);
    delivery_.join();
  }
  jack_client_close(client_);
  sem_destroy(&wake_);
}

// ---- JACK's notification thread. ----

void JackMidiPlatform::PortRegistered(jack_port_id_t id, int registered, void* self) {
  auto* platform = static_cast<JackMidiPlatform*>(self);
  // A new port of ours or an audio port changes no list. A port that goes has already been
  // released and no longer tells whose or what it was, so every departure counts.
  const jack_port_t* port = jack_port_by_id(platform->client_, id);
  if (registered != 0 && port != nullptr &&
      (jack_port_is_mine(platform->client_, port) ||
       std::strcmp(jack_port_type(port), JACK_DEFAULT_MIDI_TYPE) != 0)) {
    return;
  }
  platform->NotePortsChanged();
}

void JackMidiPlatform::ClientRegistered(const char*, int registered, void* self) {
  // A client that leaves may take its ports without a word for each of them.
  if (registered == 0) {
    static_cast<JackMidiPlatform*>(self)->NotePortsChanged();
  }
}

void JackMidiPlatform::ServerStopped(jack_status_t, const char*, void* self) {
  auto* platform = static_cast<JackMidiPlatform*>(self);
  platform->serverGone_ = true;
  platform->NotePortsChanged();
}

void JackMidiPlatform::NotePortsChanged() {
  portsChanged_ = true;
  sem_post(&wake_);
}

// ---- Lists. ----

unsigned JackMidiPlatform::ReadList(std::vector<std::string>& list, JackPortDirection direction) {
  if (serverGone_) {
    list.clear();
  } else {
    list = ListJackPorts(client_, direction);
  }
  return static_cast<unsigned>(list.size());
}

unsigned JackMidiPlatform::InputCount() {
  std::lock_guard lock(mutex_);
  return ReadList(inputs_, JackPortDirection::kReadable);
}

MidiResult JackMidiPlatform::InputName(unsigned id, std::string& name) {
  std::lock_guard lock(mutex_);
  if (id >= inputs_.size()) {
    return kMidiBadDeviceId;
  }
  name = inputs_[id];
  return kMidiOk;
}

unsigned JackMidiPlatform::OutputCount() {
  std::lock_guard lock(mutex_);
  return ReadList(outputs_, JackPortDirection::kWritable);
}

MidiResult JackMidiPlatform::OutputName(unsigned id, std::string& name) {
  std::lock_guard lock(mutex_);
  if (id >= outputs_.size()) {
    return kMidiBadDeviceId;
  }
  name = outputs_[id];
  return kMidiOk;
}

void JackMidiPlatform::TellWatcher() {
  std::lock_guard watch(watchMutex_);
  // A copy, since the function may replace itself through WatchPorts.
  const std::function<void()> changed = changed_;
  if (changed) {
    changed();
  }
}

void JackMidiPlatform::WatchPorts(std::function<void()> changed) {
  if (std::this_thread::get_id() == deliveryId_) {
    changed_ = std::move(changed);  // inside a call: watchMutex_ is already ours
    return;
  }
  std::lock_guard watch(watchMutex_);
  changed_ = std::move(changed);
}

bool JackMidiPlatform::ErrorText(MidiResult result, std::string& text) {
  if (result == kMidiJackServerGone) {
    text = "The JACK server has stopped: start it again, then choose the MIDI port again.";
    return true;
  }
  return DescribeMidiResult(result, text);
}

std::unique_ptr<MidiPlatform> MakeJackMidiPlatform() {
  jack_set_error_function(IgnoreJackMessage);
  jack_set_info_function(IgnoreJackMessage);
  jack_status_t status{};
  jack_client_t* client = jack_client_open(kClientName, JackNoStartServer, &status);
  if (client == nullptr) {
    if ((status & JackServerFailed) != 0) {
      throw NoServer();
    }
    throw MidiError("VELMORA_MIDI=jack: the JACK server refused this program as a client.");
  }
  auto platform = std::make_unique<JackMidiPlatform>(client);
  if (!platform->Start()) {
    throw MidiError("VELMORA_MIDI=jack: the JACK client could not be started.");
  }
  return platform;
}

}  // namespace velmora

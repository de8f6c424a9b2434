#pragma once

// A JACK server of the test's own (dummy driver, so no sound card is needed) and a peer
// client that records what reaches its MIDI input and sends from its MIDI output.
// Header-only, so the latency benchmark uses the same pair.

#include <jack/jack.h>
#include <jack/midiport.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "midi/jack/JackEventRing.h"

namespace velmora {

using JackTestClock = std::chrono::steady_clock;

// `jackd -n <name> --no-realtime -d dummy -r 48000 -p 256`, its name made unique per
// process and per server so that parallel runs never meet. The name goes to
// JACK_DEFAULT_SERVER, which libjack here and every child program read.
class JackTestServer {
 public:
  JackTestServer() {
    static int servers = 0;
    name_ = "velmora-jack-test-" + std::to_string(getpid()) + "-" + std::to_string(++servers);
    log_ = "/tmp/" + name_ + ".log";
    setenv("JACK_DEFAULT_SERVER", name_.c_str(), 1);
    pid_ = fork();
    if (pid_ == 0) {
      // A test killed by a time limit or a crash takes its server with it.
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      const int log = open(log_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(log, STDOUT_FILENO);
      dup2(log, STDERR_FILENO);
      execlp("jackd", "jackd", "-n", name_.c_str(), "--no-realtime", "-d", "dummy", "-r", "48000",
             "-p", "256", static_cast<char*>(nullptr));
      constexpr char kNotRun[] = "jackd is not installed or cannot be run\n";
      [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, kNotRun, sizeof kNotRun - 1);
      _exit(127);
    }
  }
  ~JackTestServer() {
    Stop();
    unlink(log_.c_str());
  }
  JackTestServer(const JackTestServer&) = delete;
  JackTestServer& operator=(const JackTestServer&) = delete;

  // Ends the server (SIGTERM) and waits for it.
  void Stop() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
      pid_ = -1;
    }
  }

  bool Exited() { return pid_ <= 0 || waitpid(pid_, nullptr, WNOHANG) == pid_; }

  // Why the server is not there, for the skip message.
  std::string Why() const {
    std::ifstream in(log_);
    const std::string log((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return "jackd could not start a dummy server here (is jackd2 installed?): " +
           (log.empty() ? std::string("no output") : log);
  }

  const std::string& Name() const { return name_; }

 private:
  std::string name_;
  std::string log_;
  pid_t pid_ = -1;
};

struct JackTestEvent {
  JackTestClock::time_point at;  // when the peer's process callback saw it
  std::vector<std::uint8_t> bytes;
};

// A client with one MIDI input "in" and one MIDI output "out".
class JackTestPeer {
 public:
  // Keeps trying while the server starts; null when it never answers.
  static std::unique_ptr<JackTestPeer> Open(JackTestServer& server, const std::string& name) {
    // libjack's complaints while the server is still starting are not the test's output.
    jack_set_error_function([](const char*) {});
    jack_set_info_function([](const char*) {});
    const JackTestClock::time_point until = JackTestClock::now() + std::chrono::seconds(10);
    while (JackTestClock::now() < until && !server.Exited()) {
      jack_client_t* client = jack_client_open(name.c_str(), JackNoStartServer, nullptr);
      if (client != nullptr) {
        return std::unique_ptr<JackTestPeer>(new JackTestPeer(client));
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return nullptr;
  }
  ~JackTestPeer() { jack_client_close(client_); }
  JackTestPeer(const JackTestPeer&) = delete;
  JackTestPeer& operator=(const JackTestPeer&) = delete;

  jack_client_t* Client() const { return client_; }
  std::string InName() const { return jack_port_name(in_); }
  std::string OutName() const { return jack_port_name(out_); }
  bool OutConnected() const { return jack_port_connected(out_) > 0; }
  // Cycles the server overran so far: a cycle it overruns may lose what was sent in it, which
  // says nothing of the program under test.
  int Overruns() const { return overruns_.load(); }

  // Goes out at the start of the next cycle.
  void Send(std::span<const std::uint8_t> bytes) {
    std::lock_guard lock(sendMutex_);
    while (!toSend_.Push(0, bytes)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }

  // Drops what was received so far.
  void Forget() {
    WaitFor(0, std::chrono::milliseconds(0));
    events_.clear();
  }

  // Everything received so far, once at least `count` events are in or `limit` is up.
  std::vector<JackTestEvent> WaitFor(std::size_t count, std::chrono::milliseconds limit) {
    const JackTestClock::time_point until = JackTestClock::now() + limit;
    for (;;) {
      JackEventRing::Header header;
      std::vector<std::uint8_t> bytes;
      while (received_.Pop(header, bytes)) {
        const JackTestClock::time_point at{JackTestClock::duration(header.tag)};
        events_.push_back({at, bytes});
      }
      if (events_.size() >= count || JackTestClock::now() >= until) {
        return events_;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }

 private:
  explicit JackTestPeer(jack_client_t* client) : client_(client) {
    in_ = jack_port_register(client_, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    out_ = jack_port_register(client_, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    jack_set_process_callback(client_, &JackTestPeer::Process, this);
    jack_set_xrun_callback(
        client_,
        [](void* self) {
          ++static_cast<JackTestPeer*>(self)->overruns_;
          return 0;
        },
        this);
    jack_activate(client_);
  }

  static int Process(jack_nframes_t frames, void* self) {
    auto* peer = static_cast<JackTestPeer*>(self);
    const auto now = static_cast<std::uint64_t>(JackTestClock::now().time_since_epoch().count());
    void* in = jack_port_get_buffer(peer->in_, frames);
    for (std::uint32_t i = 0; i < jack_midi_get_event_count(in); ++i) {
      jack_midi_event_t event;
      if (jack_midi_event_get(&event, in, i) == 0) {
        peer->received_.Push(now, {event.buffer, event.size});
      }
    }
    void* out = jack_port_get_buffer(peer->out_, frames);
    jack_midi_clear_buffer(out);
    JackEventRing::Header header;
    while (peer->toSend_.Peek(header)) {
      jack_midi_data_t* event = jack_midi_event_reserve(out, 0, header.length);
      if (event == nullptr) {
        break;
      }
      peer->toSend_.Take(header, event);
    }
    return 0;
  }

  jack_client_t* client_;
  jack_port_t* in_ = nullptr;
  jack_port_t* out_ = nullptr;
  JackEventRing received_{std::size_t{1} << 20};
  JackEventRing toSend_{std::size_t{1} << 16};
  std::mutex sendMutex_;
  std::vector<JackTestEvent> events_;
  std::atomic<int> overruns_ = 0;
};

}  // namespace velmora

// Latency of one Control Change through the JACK backend: from TMidiOutput::SendText to the
// process callback of a peer client on a dummy server (48 kHz, 256 frames a cycle). A send
// waits for our next cycle, so the figure is spread over one period (5.3 ms) and its mean
// sits near half of it.

#include <benchmark/benchmark.h>

#ifdef VELMORA_HAVE_JACK

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "../tests/midi/jack/JackTestServer.h"
#include "midi/Midi.h"
#include "midi/PlatformChoice.h"

namespace velmora {
namespace {

void BM_SendTextToJackPeer(benchmark::State& state) {
  JackTestServer server;
  std::unique_ptr<JackTestPeer> peer = JackTestPeer::Open(server, "velmora-bench-peer");
  if (!peer) {
    state.SkipWithError(server.Why().c_str());
    return;
  }
  InstallMidiPlatform(MakeMidiPlatform("jack", ""));
  TMidiOutput& output = GetMidiOutput();
  output.OpenDevice(0);
  std::size_t received = 0;
  std::vector<double> latencies;
  // Sends right after a receipt would all fall just after a cycle began and wait for nearly
  // a whole one: a random pause spreads them over the period, as a player's edits are.
  std::mt19937 random(1);
  std::uniform_int_distribution<int> pause(0, 5999);
  for (auto _ : state) {
    std::this_thread::sleep_for(std::chrono::microseconds(pause(random)));
    const JackTestClock::time_point sent = JackTestClock::now();
    output.SendText(0, "B0 0C 31 00");
    const std::vector<JackTestEvent> events = peer->WaitFor(++received, std::chrono::seconds(1));
    if (events.size() < received) {
      state.SkipWithError("the peer did not receive the message within a second");
      break;
    }
    latencies.push_back(std::chrono::duration<double>(events.back().at - sent).count());
    state.SetIterationTime(latencies.back());
  }
  ReleaseMidiDevices();
  if (!latencies.empty()) {
    std::sort(latencies.begin(), latencies.end());
    state.counters["median_ms"] = latencies[latencies.size() / 2] * 1000;
    state.counters["max_ms"] = latencies.back() * 1000;
  }
}
BENCHMARK(BM_SendTextToJackPeer)->UseManualTime()->Iterations(500)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora

#else

void BM_SendTextToJackPeer(benchmark::State& state) {
  state.SkipWithError("this program was built without the JACK MIDI backend");
}
BENCHMARK(BM_SendTextToJackPeer);

#endif

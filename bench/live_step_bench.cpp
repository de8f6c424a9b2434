// From a footswitch message arriving on an input port to the first byte of a stored preset
// item leaving the output port, on the virtual backend: the notification thread matches
// the message and asks for the step, the editing thread wakes and sends the item, as
// `velmora-cli live` runs them. Target: median under 2 ms.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <iostream>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "cli/HeadlessView.h"
#include "cli/StopSignals.h"
#include "live/Footswitch.h"
#include "live/LiveSteps.h"
#include "live/SetlistFile.h"
#include "midi/Midi.h"
#include "midi/virtual/VirtualMidiPlatform.h"

namespace velmora {
namespace {

using Clock = std::chrono::steady_clock;

void FootswitchToFirstByte(benchmark::State& state) {
  auto owned = std::make_unique<VirtualMidiPlatform>(1, 1);
  VirtualMidiPlatform& platform = *owned;
  InstallMidiPlatform(std::move(owned));
  TMidiOutput& output = GetMidiOutput();
  TMidiInput& input = GetMidiInput();
  output.OpenDevice(0);

  FormModel form = MakeStartupForm();
  form.cbOutputDevices.items = output.DeviceNames();
  form.cbOutputDevices.itemIndex = 0;
  HeadlessView view(std::cerr);
  EditingContext context{form, view, ProgramFolders{}};
  LiveSteps steps(ReadSetlistText("USER 1A\nFACTORY 16D\n", ".", "bench.vsl"));
  Footswitch footswitch(
      FootswitchBindings{FootswitchBinding{{}, {0xC0, 0x05}}, FootswitchBinding{{}, {0xC0, 0x04}}});
  Doorbell doorbell;
  steps.SetWake([&] { doorbell.Ring(); });

  std::mutex mutex;
  std::condition_variable sent;
  int buffers = 0;
  Clock::time_point firstByte;
  output.SetSendTap([&](int, std::span<const std::uint8_t>) {
    const Clock::time_point now = Clock::now();
    const std::lock_guard lock(mutex);
    if (++buffers == 1) {
      firstByte = now;
    }
    sent.notify_all();
  });
  input.SetOnShortReceived([&](int, std::uint8_t status, std::uint8_t d1, std::uint8_t d2) {
    if (const auto action = footswitch.Receive("Virtual In 1", status, d1, d2)) {
      steps.Ask({*action, 0});
    }
  });
  input.OpenDevice(0);

  std::atomic<bool> stopping = false;
  std::thread editing([&] {
    while (!stopping) {
      doorbell.WaitUntil(Clock::now() + std::chrono::milliseconds(50));
      steps.RunPending(context);
    }
  });

  std::vector<double> samples;
  bool forward = true;
  for (auto _ : state) {
    {
      const std::lock_guard lock(mutex);
      buffers = 0;
    }
    const Clock::time_point arriving = Clock::now();
    platform.InjectShort(0, 0xC0, forward ? 0x05 : 0x04, 0);
    std::unique_lock lock(mutex);
    // Both buffers of the item, so the next message finds the editing thread waiting.
    sent.wait(lock, [&] { return buffers == 2; });
    const double seconds = std::chrono::duration<double>(firstByte - arriving).count();
    state.SetIterationTime(seconds);
    samples.push_back(seconds * 1e6);
    forward = !forward;
  }
  stopping = true;
  editing.join();
  input.CloseDevice(0);
  input.SetOnShortReceived({});
  output.SetSendTap({});
  ReleaseMidiDevices();

  std::sort(samples.begin(), samples.end());
  state.counters["median_us"] = samples.empty() ? 0.0 : samples[samples.size() / 2];
}

BENCHMARK(FootswitchToFirstByte)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velmora

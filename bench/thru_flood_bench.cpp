// Messages per second through the MIDI thru: a short message injected on a virtual input,
// forwarded by the monitor to two checked output ports and queued for the log. The target
// is 10 000 a second, more than three DIN MIDI cables can carry.

#include <benchmark/benchmark.h>

#include <memory>

#include "midi/virtual/VirtualMidiPlatform.h"
#include "surface/shell/Monitor.h"
#include "surface/shell/MonitorHub.h"

namespace velmora {
namespace {

// The virtual ports keep every buffer and the hub every event until drained; emptying both
// now and then keeps memory flat.
constexpr std::int64_t kDrainEvery = 1 << 12;

void BM_ThruToTwoPorts(benchmark::State& state) {
  auto owned = std::make_unique<VirtualMidiPlatform>(2, 1);
  VirtualMidiPlatform& platform = *owned;
  InstallMidiPlatform(std::move(owned));
  FormModel form;
  MonitorHub hub;
  MonitorFormCreate(form, hub);
  for (int port = 0; port < 2; ++port) {
    form.lbxOutputDevices.checked[static_cast<std::size_t>(port)] = true;
    form.lbxOutputDevices.itemIndex = port;
    ApplyThruCheck(form, hub);
  }
  GetMidiInput().OpenDevice(0);

  std::int64_t sent = 0;
  for (auto _ : state) {
    platform.InjectShort(0, 0xB0, 0x07, static_cast<std::uint8_t>(sent & 0x7F));
    if (++sent % kDrainEvery == 0) {
      state.PauseTiming();
      benchmark::DoNotOptimize(hub.TakeEvents());
      platform.ClearSent();
      state.ResumeTiming();
    }
  }
  state.SetItemsProcessed(sent);
  MonitorFormDestroy(hub);
  ReleaseMidiDevices();
}
BENCHMARK(BM_ThruToTwoPorts);

}  // namespace
}  // namespace velmora

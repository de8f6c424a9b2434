// What the send tap costs: a send with no tap set, with a tap that does nothing, with the
// simulated rig reading every send, and with the editor's own tap (the rig view's, one rig per
// port) with the view closed and open; and the rig alone reading a preset load's bytes.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "midi/Midi.h"
#include "midi/virtual/VirtualMidiPlatform.h"
#include "rig/Rig.h"
#include "surface/editing/RigView.h"

namespace velmora {
namespace {

// The virtual ports keep every buffer; emptying them now and then keeps memory flat.
constexpr std::int64_t kClearEvery = 1 << 14;
const std::string kDrive64 = "B0 0D 40 00";
const std::string kDrive65 = "B0 0D 41 00";

// kViewOpen also makes the open view's texts after each send, as a render does.
enum class Tap { kNone, kEmpty, kRig, kViewClosed, kViewOpen };

void BM_SendWithTap(benchmark::State& state, Tap tap) {
  auto owned = std::make_unique<VirtualMidiPlatform>(1, 0);
  VirtualMidiPlatform& platform = *owned;
  InstallMidiPlatform(std::move(owned));
  TMidiOutput& output = GetMidiOutput();
  output.OpenDevice(0);
  Rig rig;
  FormModel form;
  form.cbOutputDevices = {{"port"}, 0, true};
  if (tap == Tap::kViewClosed || tap == Tap::kViewOpen) {
    TapSendsForRigView(form, output);
  } else if (tap == Tap::kEmpty) {
    output.SetSendTap([](int, std::span<const std::uint8_t>) {});
  } else if (tap == Tap::kRig) {
    output.SetSendTap([&rig](int, std::span<const std::uint8_t> bytes) { rig.Feed(bytes); });
  }
  std::int64_t i = 0;
  for (auto _ : state) {
    // DRIVE moves at every send: each one makes a change line, the rig's dearest case.
    output.SendText(0, i % 2 == 0 ? kDrive64 : kDrive65);
    if (tap == Tap::kViewOpen) {
      RefreshRigView(form);
    }
    if (++i % kClearEvery == 0) {
      state.PauseTiming();
      platform.ClearSent();
      state.ResumeTiming();
    }
  }
  output.SetSendTap({});
  ReleaseMidiDevices();
}
BENCHMARK_CAPTURE(BM_SendWithTap, no_tap, Tap::kNone);
BENCHMARK_CAPTURE(BM_SendWithTap, empty_tap, Tap::kEmpty);
BENCHMARK_CAPTURE(BM_SendWithTap, rig_tap, Tap::kRig);
BENCHMARK_CAPTURE(BM_SendWithTap, rig_view_closed, Tap::kViewClosed);
BENCHMARK_CAPTURE(BM_SendWithTap, rig_view_open, Tap::kViewOpen);

// A whole preset load's kind of traffic: model SysEx with its stray 00, amp and knob changes.
void BM_RigReadsALoad(benchmark::State& state) {
  const std::vector<std::uint8_t> load = {
      0xF0, 0x00, 0x01, 0x0C, 0x03, 0x07, 0x0D, 0x02, 0x00, 0x00, 0x00, 0x00, 0x09, 0xF7, 0x00,
      0xB0, 0x0C, 0x1D, 0x00, 0xB0, 0x0D, 0x40, 0xB0, 0x0E, 0x3C, 0xB0, 0x0F, 0x40, 0xB0, 0x10,
      0x40, 0xB0, 0x15, 0x00, 0xB0, 0x11, 0x7F, 0xB0, 0x6F, 0x7F, 0xB0, 0x70, 0x00};
  Rig rig;
  for (auto _ : state) {
    rig.Feed(load);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(load.size()));
}
BENCHMARK(BM_RigReadsALoad);

}  // namespace
}  // namespace velmora

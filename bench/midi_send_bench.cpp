// Cost of sending one message the way the editor does (text to bytes, then one long buffer
// to the port), beside the bare backend call it ends in. Virtual ports, no capture file.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "midi/Midi.h"
#include "midi/virtual/VirtualMidiPlatform.h"

namespace velmora {
namespace {

const std::string kControlChange = "B0 0C 31";
const std::string kSysEx = "F0 00 01 0C 03 07 0D 00 00 00 00 00 00 F7";

// The virtual ports keep every buffer; emptying them now and then keeps memory flat.
constexpr std::int64_t kClearEvery = 1 << 14;

VirtualMidiPlatform& InstallPorts() {
  auto platform = std::make_unique<VirtualMidiPlatform>(1, 0);
  VirtualMidiPlatform& installed = *platform;
  InstallMidiPlatform(std::move(platform));
  return installed;
}

void ClearNowAndThen(benchmark::State& state, VirtualMidiPlatform& platform, std::int64_t i) {
  if (i % kClearEvery == 0) {
    state.PauseTiming();
    platform.ClearSent();
    state.ResumeTiming();
  }
}

void BM_SendMessageText(benchmark::State& state, const std::string& text) {
  VirtualMidiPlatform& platform = InstallPorts();
  TMidiOutput& output = GetMidiOutput();
  output.OpenDevice(0);
  std::int64_t i = 0;
  for (auto _ : state) {
    output.SendText(0, text + " 00");
    ClearNowAndThen(state, platform, ++i);
  }
  ReleaseMidiDevices();
}

void BM_BareBackendCall(benchmark::State& state, const std::string& text) {
  VirtualMidiPlatform& platform = InstallPorts();
  ByteStream stream;
  HexTextToStream(text + " 00", stream);
  MidiHandle handle = kNoHandle;
  platform.OutputOpen(handle, 0);
  MidiHeader header;
  header.data = stream.Data();
  header.bufferLength = static_cast<std::uint32_t>(stream.Size());
  std::int64_t i = 0;
  for (auto _ : state) {
    platform.OutputPrepare(handle, header);
    platform.OutputLong(handle, header);
    platform.OutputUnprepare(handle, header);
    ClearNowAndThen(state, platform, ++i);
  }
  platform.OutputClose(handle);
}

BENCHMARK_CAPTURE(BM_SendMessageText, ControlChange, kControlChange);
BENCHMARK_CAPTURE(BM_BareBackendCall, ControlChange, kControlChange);
BENCHMARK_CAPTURE(BM_SendMessageText, SysEx14, kSysEx);
BENCHMARK_CAPTURE(BM_BareBackendCall, SysEx14, kSysEx);

}  // namespace
}  // namespace velmora

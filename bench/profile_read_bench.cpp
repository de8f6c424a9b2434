// Reading a 10 MB profile the way a preset load does: its 19 keys from one snapshot of the
// file, beside 19 single reads (as settings are read). Two shapes of file: one huge section
// of keys, and empty lines only; the preset's own sections come last in both. Reports the
// time per load and the peak memory above the start, also as a multiple of the file's size.

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>
#include <vector>

#include "profile/Profile.h"

// A counting allocator: every block carries its size in front, so the bytes in use and
// their peak are known at any moment.
namespace {

std::atomic<std::size_t> inUse{0};
std::atomic<std::size_t> peak{0};
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Allocate(std::size_t size) {
  void* block = std::malloc(size + kHeader);
  if (block == nullptr) {
    throw std::bad_alloc();
  }
  *static_cast<std::size_t*>(block) = size;
  const std::size_t now = inUse.fetch_add(size) + size;
  std::size_t seen = peak.load();
  while (now > seen && !peak.compare_exchange_weak(seen, now)) {
  }
  return static_cast<char*>(block) + kHeader;
}

void Release(void* pointer) noexcept {
  if (pointer == nullptr) {
    return;
  }
  void* block = static_cast<char*>(pointer) - kHeader;
  inUse.fetch_sub(*static_cast<std::size_t*>(block));
  std::free(block);
}

}  // namespace

void* operator new(std::size_t size) {
  return Allocate(size);
}
void* operator new[](std::size_t size) {
  return Allocate(size);
}
void operator delete(void* pointer) noexcept {
  Release(pointer);
}
void operator delete[](void* pointer) noexcept {
  Release(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
  Release(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
  Release(pointer);
}

namespace velmora {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kFileBytes = 10'000'000;

constexpr char kPreset[] =
    "[AMP1]\r\nPower=ON\r\nAmp=Line6 Clean\r\nCab=1x10\r\nDRIVE1=4\r\nBASS1=8\r\nMID1=12\r\n"
    "TREB1=16\r\nPRES1=20\r\nVOL1=24\r\n"
    "[AMP2]\r\nPower=ON\r\nAmp='67 Fn Black Dual Show\r\nCab=1x6 Super O\r\nDRIVE2=400\r\n"
    "BASS2=404\r\nMID2=408\r\nTREB2=412\r\nPRES2=416\r\nVOL2=420\r\n"
    "[Variax]\r\nGuitar=2 Telecaster modified\r\n";

struct Key {
  const char* section;
  const char* key;
};

// What a load reads, in its order.
constexpr Key kLoadKeys[] = {
    {"Variax", "Guitar"}, {"AMP1", "Amp"},   {"AMP1", "Cab"},   {"AMP1", "DRIVE1"},
    {"AMP1", "BASS1"},    {"AMP1", "MID1"},  {"AMP1", "TREB1"}, {"AMP1", "PRES1"},
    {"AMP1", "VOL1"},     {"AMP2", "Amp"},   {"AMP2", "Cab"},   {"AMP2", "DRIVE2"},
    {"AMP2", "BASS2"},    {"AMP2", "MID2"},  {"AMP2", "TREB2"}, {"AMP2", "PRES2"},
    {"AMP2", "VOL2"},     {"AMP1", "Power"}, {"AMP2", "Power"},
};

fs::path MakeFile(const std::string& name, const std::string& filler) {
  const fs::path file = fs::temp_directory_path() / ("velmora-bench-" + name + ".vmp");
  std::string text;
  text.reserve(kFileBytes);
  while (text.size() + filler.size() + sizeof kPreset <= kFileBytes) {
    text += filler;
  }
  text.append(kFileBytes - text.size() - (sizeof kPreset - 1), '\n');
  text += kPreset;
  std::ofstream(file, std::ios::binary) << text;
  return file;
}

const fs::path& KeysFile() {
  static const fs::path file = MakeFile("keys", "[Bulk]\r\nSomeKey=some value here\r\n");
  return file;
}

const fs::path& EmptyLinesFile() {
  static const fs::path file = MakeFile("empty-lines", "\r\n");
  return file;
}

void ReportPeak(benchmark::State& state, std::size_t peakAbove) {
  state.counters["peak_MB"] = static_cast<double>(peakAbove) / 1e6;
  state.counters["peak_x_file"] = static_cast<double>(peakAbove) / kFileBytes;
}

void BM_LoadFromOneSnapshot(benchmark::State& state, const fs::path& (*file)()) {
  const fs::path& path = file();
  std::size_t worst = 0;
  for (auto _ : state) {
    const std::size_t start = inUse.load();
    peak.store(start);
    const ProfileSnapshot snapshot(path);
    for (const Key& key : kLoadKeys) {
      benchmark::DoNotOptimize(snapshot.Read(key.section, key.key));
    }
    worst = std::max(worst, peak.load() - start);
  }
  ReportPeak(state, worst);
}

void BM_NineteenSingleReads(benchmark::State& state, const fs::path& (*file)()) {
  const fs::path& path = file();
  std::size_t worst = 0;
  for (auto _ : state) {
    const std::size_t start = inUse.load();
    peak.store(start);
    for (const Key& key : kLoadKeys) {
      benchmark::DoNotOptimize(ReadProfileString(path, key.section, key.key));
    }
    worst = std::max(worst, peak.load() - start);
  }
  ReportPeak(state, worst);
}

BENCHMARK_CAPTURE(BM_LoadFromOneSnapshot, keys, KeysFile)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadFromOneSnapshot, empty_lines, EmptyLinesFile)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_NineteenSingleReads, keys, KeysFile)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_NineteenSingleReads, empty_lines, EmptyLinesFile)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora

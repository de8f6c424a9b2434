// The preset library on a generated folder of 10 000 presets in 100 folders: the first scan
// without an index beside reading the same files plainly (targets: within 5 times), a
// rescan with nothing changed (under 150 ms), one search per keystroke of a typed query
// (under 20 ms), and the memory the list of 10 000 entries holds (under 40 MB).

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "catalogue/Variax.h"
#include "catalogue/Vetta2_Enceintes.h"
#include "library/PresetLibrary.h"

namespace {

namespace fs = std::filesystem;
using velmora::Channel;

constexpr int kPresets = 10000;
constexpr int kFolders = 100;

const char* const kWords[] = {"Crunch", "Clean", "Lead",  "Blues", "Été",   "Solo",
                              "Rythme", "Funk",  "Metal", "Jazz",  "Délai", "Chorus"};

std::string PresetText(std::mt19937& random) {
  std::string text;
  for (Channel channel : {Channel::Amp1, Channel::Amp2}) {
    const char* section = channel == Channel::Amp1 ? "AMP1" : "AMP2";
    const char digit = channel == Channel::Amp1 ? '1' : '2';
    text += std::string("[") + section + "]\r\nPower=" + (random() % 2 ? "ON" : "OFF") +
            "\r\nAmp=" +
            std::string(
                velmora::AmpRecord(channel, 1 + random() % velmora::kAmpRecordCount).DisplayName) +
            "\r\nCab=" +
            std::string(
                velmora::CabRecord(channel, 1 + random() % velmora::kCabRecordCount).DisplayName) +
            "\r\n";
    for (const char* knob : {"DRIVE", "BASS", "MID", "TREB", "PRES", "VOL"}) {
      text += std::string(knob) + digit + "=" + std::to_string(random() % 509) + "\r\n";
    }
  }
  return text + "[Variax]\r\nGuitar=" +
         velmora::GuitarKey(1 + static_cast<int>(random() % velmora::kGuitarRecordCount)) + "\r\n";
}

// Made once per run, in the system's temporary folder.
const fs::path& GeneratedLibrary() {
  static const fs::path folder = [] {
    const fs::path root = fs::temp_directory_path() / "velmora-library-bench";
    fs::remove_all(root);
    std::mt19937 random(18);
    for (int i = 0; i < kPresets; ++i) {
      const fs::path sub = root / ("Banque " + std::to_string(i % kFolders));
      fs::create_directories(sub);
      std::ofstream(sub / (std::string(kWords[random() % std::size(kWords)]) + " " +
                           kWords[random() % std::size(kWords)] + " " + std::to_string(i) + ".vmp"),
                    std::ios::binary)
          << PresetText(random);
    }
    return root;
  }();
  return folder;
}

void BM_ReadEveryFilePlainly(benchmark::State& state) {
  const fs::path& folder = GeneratedLibrary();
  for (auto _ : state) {
    std::size_t bytes = 0;
    char buffer[1 << 14];
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
      if (std::FILE* file = std::fopen(entry.path().c_str(), "rb")) {
        bytes += std::fread(buffer, 1, sizeof buffer, file);
        std::fclose(file);
      }
    }
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_ReadEveryFilePlainly)->Unit(benchmark::kMillisecond);

void BM_FirstScanWithoutIndex(benchmark::State& state) {
  const fs::path& folder = GeneratedLibrary();
  for (auto _ : state) {
    velmora::PresetLibrary library(folder, {});
    library.Refresh();
    benchmark::DoNotOptimize(library.Entries().data());
  }
}
BENCHMARK(BM_FirstScanWithoutIndex)->Unit(benchmark::kMillisecond);

void BM_RescanUnchanged(benchmark::State& state) {
  velmora::PresetLibrary library(GeneratedLibrary(), {});
  library.Refresh();
  for (auto _ : state) {
    benchmark::DoNotOptimize(library.Refresh());
  }
}
BENCHMARK(BM_RescanUnchanged)->Unit(benchmark::kMillisecond);

// Each iteration is one keystroke of "plexi tele": the query so far, searched whole.
void BM_SearchPerKeystroke(benchmark::State& state) {
  velmora::PresetLibrary library(GeneratedLibrary(), {});
  library.Refresh();
  const std::string typed = "plexi tele";
  std::size_t length = 0;
  for (auto _ : state) {
    length = length % typed.size() + 1;
    benchmark::DoNotOptimize(library.Search(typed.substr(0, length)));
  }
}
BENCHMARK(BM_SearchPerKeystroke)->Unit(benchmark::kMillisecond);

void BM_MemoryOfTheList(benchmark::State& state) {
  const fs::path& folder = GeneratedLibrary();
  for (auto _ : state) {
    const std::size_t before = mallinfo2().uordblks;
    velmora::PresetLibrary library(folder, {});
    library.Refresh();
    state.counters["MB"] = static_cast<double>(mallinfo2().uordblks - before) / 1e6;
    state.counters["entries"] = static_cast<double>(library.Entries().size());
  }
}
BENCHMARK(BM_MemoryOfTheList)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

// A preset named on the command line that vanishes while it is read: read whole, or an error
// naming it, never the empty state a missing file reads as in the window. (Windows does not
// rename a file that is open.)
#ifndef _WIN32

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <thread>

#include "TemporaryFolder.h"
#include "cli/PresetFileRead.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

TEST(PresetFileReadTest, AFileRemovedAndPutBackMeanwhileIsReadWholeOrRefused) {
  const fs::path folder = MakeTemporaryFolder("velmora-vanish-");
  const fs::path preset = folder / "p.vmp";
  const fs::path aside = folder / "aside.vmp";
  std::ofstream(aside, std::ios::binary) << "[AMP1]\r\nPower=ON\r\n";
  std::atomic<bool> done = false;
  std::thread mover([&] {
    for (std::error_code ignored; !done;) {
      fs::rename(aside, preset, ignored);
      fs::rename(preset, aside, ignored);
    }
  });
  int read = 0, refused = 0;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while ((read < 20 || refused < 20) && std::chrono::steady_clock::now() < end) {
    try {
      EXPECT_EQ(ReadPresetFile(preset.string())->Read("AMP1", "Power"), "ON");
      ++read;
    } catch (const std::runtime_error& error) {
      EXPECT_EQ(error.what(), "Cannot read the preset file \"" + preset.string() +
                                  "\": No such file or directory.");
      ++refused;
    }
  }
  done = true;
  mover.join();
  EXPECT_TRUE(read > 0 && refused > 0) << read << " read, " << refused << " refused";
  fs::remove_all(folder);
}

}  // namespace
}  // namespace velmora

#endif

// A preset named on the command line that vanishes while it is read: read whole, or an error
// naming it, never the empty state a missing file reads as in the window.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "TemporaryFolder.h"
#include "cli/PresetFileRead.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

TEST(PresetFileReadTest, AFileRemovedAndPutBackMeanwhileIsReadWholeOrRefused) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows does not rename a file that is open";
#endif
  const fs::path folder = MakeTemporaryFolder("velmora-vanish-");
  const fs::path preset = folder / "p.vmp";
  const fs::path aside = folder / "aside.vmp";
  std::ofstream(aside, std::ios::binary) << "[AMP1]\r\nPower=ON\r\n";
  std::atomic<bool> done = false;
  std::thread mover([&] {
    while (!done) {
      std::error_code ignored;
      fs::rename(aside, preset, ignored);
      fs::rename(preset, aside, ignored);
    }
  });
  int read = 0;
  int refused = 0;
  for (int i = 0; i < 4000 && (read < 20 || refused < 20); ++i) {
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
  EXPECT_GT(read, 0);
  EXPECT_GT(refused, 0);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace velmora

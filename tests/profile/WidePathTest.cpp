// Names beyond ASCII, as a French or German player's folders have them. On Windows they
// only survive through the wide file calls, never a narrow code page.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profile/AtomicFile.h"
#include "profile/Profile.h"
#include "profile/ScratchFolder.h"

#ifdef _WIN32
// Not <windows.h>: its WriteProfileString macro would rename ours.
#include <fcntl.h>
#include <io.h>
#include <share.h>
#endif

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::ScratchFolder;
using testing::WriteBytes;

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

TEST(WidePath, APresetInAFolderWithAccentsIsSavedReplacedAndReadBack) {
  ScratchFolder scratch;
  const fs::path folder = scratch.path() / fs::path(u8"Préréglages für Vetta");
  fs::create_directories(folder);
  const fs::path preset = folder / fs::path(u8"Été über.vmp");

  WriteProfileStrings(preset, {{"AMP1", "Power", "ON"}, {"AMP1", "Amp", "Line6 Clean"}});
  WriteProfileString(preset, "AMP1", "Power", "OFF");
  EXPECT_EQ(ReadBytes(preset), "[AMP1]\r\nPower=OFF\r\nAmp=Line6 Clean\r\n");
  EXPECT_EQ(ReadProfileString(preset, "AMP1", "Amp"), "Line6 Clean");
  // The replace left no temporary behind, and the name is the one asked for.
  std::vector<fs::path> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename());
  }
  EXPECT_EQ(names, std::vector<fs::path>{fs::path(u8"Été über.vmp")});
  // The error text spells the folder in UTF-8 whatever the system's code page.
  const fs::path missing = folder / fs::path(u8"ü") / "x.vmp";
  try {
    WriteProfileString(missing, "AMP1", "Power", "ON");
    FAIL() << "no error";
  } catch (const ProfileWriteError& error) {
    EXPECT_EQ(std::string(error.what()), "Impossible d'écrire dans " + Utf8(scratch.path()) +
                                             Utf8(fs::path("/").make_preferred()) +
                                             "Pr\xC3\xA9r\xC3\xA9glages f\xC3\xBCr Vetta" +
                                             Utf8(fs::path("/").make_preferred()) + "\xC3\xBC" +
                                             Utf8(fs::path("/").make_preferred()) + "x.vmp");
  }
}

#ifdef _WIN32
// Another program holding the preset open without sharing it (an editor, a backup tool):
// the save is refused with the error text and the file keeps its whole old content.
TEST(WidePath, AFileAnotherProgramHoldsOpenIsRefusedAndKeptWhole) {
  ScratchFolder scratch;
  const fs::path preset = scratch.path() / fs::path(u8"Süß.vmp");
  WriteBytes(preset, "[AMP1]\r\nPower=OFF\r\n");
  const int held = _wsopen(preset.c_str(), _O_RDONLY | _O_BINARY, _SH_DENYRW);
  ASSERT_GE(held, 0);
  std::string error = "no error";
  try {
    WriteProfileString(preset, "AMP1", "Power", "ON");
  } catch (const ProfileWriteError& e) {
    error = e.what();
  }
  _close(held);
  EXPECT_EQ(error, "Impossible d'écrire dans " + FullPathText(preset));
  EXPECT_EQ(ReadBytes(preset), "[AMP1]\r\nPower=OFF\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(scratch.path()), fs::directory_iterator()), 1);
}
#endif

}  // namespace
}  // namespace velmora

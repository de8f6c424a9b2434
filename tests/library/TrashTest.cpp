// POSIX only: links, pipes, user namespaces and the freedesktop trash.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

#include "LibraryFiles.h"
#include "TemporaryFolder.h"
#include "library/FileOperations.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

// The freedesktop trash: the file under files/, and under info/ a .trashinfo with its
// escaped original path and the time of deletion. The home and data folders point into a
// throwaway folder before GLib first reads them.
TEST(TrashTest, ADeletedPresetLandsInTheFreedesktopTrashWithItsTrashInfo) {
  const fs::path home = MakeTemporaryFolder("velmora-trash");
  setenv("HOME", home.c_str(), 1);
  setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
  const fs::path file = home / "presets/Crunch \xC3\xA9t\xC3\xA9.vmp";
  WriteFile(file, "[AMP1]\nPower=ON\n");

  TrashPreset(file);

  EXPECT_FALSE(fs::exists(file));
  const fs::path trash = home / "data/Trash";
  EXPECT_EQ(FileBytes(trash / "files/Crunch \xC3\xA9t\xC3\xA9.vmp"), "[AMP1]\nPower=ON\n");
  const std::string info = FileBytes(trash / "info/Crunch \xC3\xA9t\xC3\xA9.vmp.trashinfo");
  const std::string path = home.string() + "/presets/Crunch%20%C3%A9t%C3%A9.vmp";
  EXPECT_TRUE(std::regex_match(
      info, std::regex("\\[Trash Info\\]\nPath=" + path +
                       "\nDeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n")))
      << info;
  fs::remove_all(home);
}

}  // namespace
}  // namespace velmora

#endif

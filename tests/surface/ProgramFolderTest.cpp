#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "TemporaryFolder.h"
#include "profile/ProgramFolder.h"
#include "surface/files/PictureFile.h"

namespace velmora {
namespace {

class TempFolder {
 public:
  TempFolder() : path(MakeTemporaryFolder("velmora-folders-")) {}
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::filesystem::path path;
};

TEST(ProgramFolderTest, PortableCopyKeepsEverythingBesideTheProgram) {
  TempFolder temp;
  std::filesystem::create_directories(temp.path / "images" / "Guitares");
  const ProgramFolders folders = ResolveProgramFolders(temp.path, "/cfg", "/home/u");
  EXPECT_EQ(folders.files, temp.path);
  EXPECT_EQ(folders.pictures, temp.path);
  EXPECT_EQ(folders.ConfigFile(), temp.path / "config.ini");
  EXPECT_EQ(folders.DefaultPresetFile(), temp.path / "defaut.vmp");
  EXPECT_EQ(folders.EmptyPresetFile(), temp.path / "vide.vmp");
}

TEST(ProgramFolderTest, InstalledCopyUsesTheConfigFolderAndSharedPictures) {
#ifdef _WIN32
  GTEST_SKIP() << "a Windows copy is always portable; the installed layout is POSIX's";
#endif
  TempFolder temp;
  const std::filesystem::path bin = temp.path / "bin";
  std::filesystem::create_directories(bin);
  ProgramFolders folders = ResolveProgramFolders(bin, "/cfg", "/home/u");
  EXPECT_EQ(folders.files, std::filesystem::path("/cfg/velmora"));
  EXPECT_EQ(folders.pictures, temp.path / "share" / "velmora");
  folders = ResolveProgramFolders(bin, "", "/home/u");
  EXPECT_EQ(folders.files, std::filesystem::path("/home/u/.config/velmora"));
  folders = ResolveProgramFolders(bin, nullptr, nullptr);
  EXPECT_EQ(folders.files, bin);
}

// On Windows the installer's uninstaller beside the programs, not the pictures (both copies
// have them), tells an installed copy from the zip.
TEST(ProgramFolderTest, WindowsCopyWithItsUninstallerKeepsItsFilesInAppData) {
  TempFolder temp;
  std::filesystem::create_directories(temp.path / "images" / "Guitares");
  const std::filesystem::path appData = temp.path / "Roaming";
  ProgramFolders folders = ResolveWindowsProgramFolders(temp.path, appData);
  EXPECT_EQ(folders.files, temp.path);
  std::ofstream(temp.path / kWindowsUninstaller) << "MZ";
  folders = ResolveWindowsProgramFolders(temp.path, appData);
  EXPECT_EQ(folders.files, appData / "Velmora");
  EXPECT_EQ(folders.pictures, temp.path);
  EXPECT_EQ(ResolveWindowsProgramFolders(temp.path, "").files, temp.path);
}

TEST(ProgramFolderTest, ExecutableFolderIsWhereThisTestRuns) {
#ifdef _WIN32
  EXPECT_TRUE(std::filesystem::exists(ExecutableFolder() / "velmora_surface_tests.exe"));
#else
  EXPECT_TRUE(std::filesystem::exists(ExecutableFolder() / "velmora_surface_tests"));
#endif
}

TEST(PictureFileTest, MissingFileGivesTheRuntimesTextWithTheReason) {
  TempFolder temp;
  const std::filesystem::path missing = temp.path / "images/Guitares/humbucker.jpg";
  try {
    ReadPictureFile(missing);
    FAIL() << "no error";
  } catch (const PictureOpenError& error) {
    EXPECT_EQ(std::string(error.what()), "Impossible d'ouvrir le fichier \"" + missing.string() +
                                             "\". No such file or directory");
  }
  EXPECT_EQ(CannotOpenFileText("/x/y.jpg", "Permission denied"),
            "Impossible d'ouvrir le fichier \"/x/y.jpg\". Permission denied");
}

TEST(PictureFileTest, ReadsTheWholeFile) {
  TempFolder temp;
  const std::filesystem::path file = temp.path / "p.jpg";
  std::ofstream(file, std::ios::binary) << std::string(40000, '\xFF');
  EXPECT_EQ(ReadPictureFile(file).size(), 40000u);
  EXPECT_THROW(ReadPictureFile(temp.path), PictureOpenError);
}

}  // namespace
}  // namespace velmora

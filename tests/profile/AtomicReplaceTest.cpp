#include <gtest/gtest.h>

#include "profile/Profile.h"
#include "profile/ScratchFolder.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#endif

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::ScratchFolder;
using testing::WriteBytes;

std::string WriteError(const fs::path& file) {
  try {
    WriteProfileString(file, "AMP1", "Power", "ON");
  } catch (const ProfileWriteError& error) {
    return error.what();
  }
  return "no error";
}

// These failures hold for every user, root included, unlike a read-only folder.
TEST(AtomicReplace, AFolderThatCannotHoldTheFileGivesTheWriteErrorWithTheFullPath) {
  ScratchFolder folder;
  WriteBytes(folder / "plain", "a regular file, not a folder");
  const fs::path underFile = folder / "plain" / "preset.vmp";
  EXPECT_EQ(WriteError(underFile), "Impossible d'écrire dans " + underFile.string());
  const fs::path missingFolder = folder / "absent" / "preset.vmp";
  EXPECT_EQ(WriteError(missingFolder), "Impossible d'écrire dans " + missingFolder.string());
  EXPECT_EQ(ReadBytes(folder / "plain"), "a regular file, not a folder");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"plain"});
}

TEST(AtomicReplace, AFolderInPlaceOfTheFileIsLeftAlone) {
  ScratchFolder folder;
  fs::create_directory(folder / "preset.vmp");
  WriteBytes(folder / "preset.vmp" / "inside", "kept");
  EXPECT_EQ(WriteError(folder / "preset.vmp"),
            "Impossible d'écrire dans " + (folder / "preset.vmp").string());
  EXPECT_TRUE(fs::is_directory(folder / "preset.vmp"));
  EXPECT_EQ(ReadBytes(folder / "preset.vmp" / "inside"), "kept");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"preset.vmp"});
}

TEST(AtomicReplace, ARelativePathIsReportedInFull) {
  ScratchFolder folder;
  WriteBytes(folder / "plain", "");
  const fs::path previous = fs::current_path();
  fs::current_path(folder.path());
  const std::string error = WriteError("plain/preset.vmp");
  fs::current_path(previous);
  EXPECT_EQ(error, "Impossible d'écrire dans " + (folder.path() / "plain" / "preset.vmp").string());
}

#ifndef _WIN32
// The write itself fails halfway (the file size limit stands in for a full disk): the old
// file must come through whole and the temporary must be gone.
TEST(AtomicReplace, AWriteThatFailsHalfwayLeavesTheOldFileWhole) {
  ScratchFolder folder;
  const fs::path file = folder / "preset.vmp";
  const std::string old = "[AMP1]\r\nPower=OFF\r\nAmp=Line6 Clean\r\n";
  WriteBytes(file, old);

  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string error;
  try {
    WriteProfileStrings(file, {{"AMP1", "Power", "ON"},
                               {"AMP1", "Cab", std::string(2000, 'c')},
                               {"AMP2", "Cab", std::string(5000, 'c')}});
  } catch (const ProfileWriteError& e) {
    error = e.what();
  }
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_EQ(error, "Impossible d'écrire dans " + file.string());
  EXPECT_EQ(ReadBytes(file), old);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"preset.vmp"});
}

TEST(AtomicReplace, AReadOnlyFolderOrFileRefusesTheWriteForOrdinaryUsers) {
  if (geteuid() == 0) {
    GTEST_SKIP() << "permissions do not stop root";
  }
  ScratchFolder folder;
  const fs::path file = folder / "preset.vmp";
  WriteBytes(file, "[AMP1]\r\nPower=OFF\r\n");
  fs::permissions(file, fs::perms::owner_read, fs::perm_options::replace);
  EXPECT_EQ(WriteError(file), "Impossible d'écrire dans " + file.string());
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace);
  fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec,
                  fs::perm_options::replace);
  EXPECT_EQ(WriteError(file), "Impossible d'écrire dans " + file.string());
  fs::permissions(folder.path(), fs::perms::owner_all, fs::perm_options::replace);
  EXPECT_EQ(ReadBytes(file), "[AMP1]\r\nPower=OFF\r\n");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"preset.vmp"});
}

TEST(AtomicReplace, TheReplacedFileKeepsItsPermissionsAndItsSymbolicLink) {
  ScratchFolder folder;
  const fs::path real = folder / "real.ini";
  WriteBytes(real, "[MIDI]\r\nOut=0\r\n");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
                  fs::perm_options::replace);
  fs::create_symlink("real.ini", folder / "config.ini");
  WriteProfileString(folder / "config.ini", "MIDI", "Out", "-1");
  EXPECT_TRUE(fs::is_symlink(folder / "config.ini"));
  EXPECT_EQ(ReadBytes(real), "[MIDI]\r\nOut=-1\r\n");
  EXPECT_EQ(fs::status(real).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"config.ini", "real.ini"}));
}
#endif

}  // namespace
}  // namespace velmora

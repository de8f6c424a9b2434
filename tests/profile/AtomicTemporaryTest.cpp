#include <gtest/gtest.h>

#include "profile/AtomicFile.h"
#include "profile/Profile.h"
#include "profile/ScratchFolder.h"

#include <fcntl.h>

#ifdef _WIN32
#include <io.h>
#else
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::ScratchFolder;
using testing::WriteBytes;

std::string Name(const fs::path& path) {
  return path.filename().string();
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

// A writer still at work: it holds the lock on its temporary (on Windows: keeps it open).
class LiveWriter {
 public:
  explicit LiveWriter(const fs::path& temporary) {
#ifdef _WIN32
    fd_ = _wopen(temporary.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL, 0666);
    EXPECT_GE(fd_, 0);
#else
    fd_ = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    EXPECT_GE(fd_, 0);
    EXPECT_EQ(::flock(fd_, LOCK_EX), 0);
#endif
  }
  ~LiveWriter() {
#ifdef _WIN32
    _close(fd_);
#else
    ::close(fd_);
#endif
  }
  LiveWriter(const LiveWriter&) = delete;
  LiveWriter& operator=(const LiveWriter&) = delete;

 private:
  int fd_ = -1;
};

TEST(SaveTemporaries, TheNextSaveRemovesTheFilesAbandonedTemporariesOnly) {
  ScratchFolder folder;
  const fs::path preset = folder / "preset.vmp";
  WriteBytes(preset, "[AMP1]\r\nPower=OFF\r\n");
  const fs::path halfWritten = NewTemporaryPath(preset);
  const fs::path empty = NewTemporaryPath(preset);
  WriteBytes(halfWritten, "[AMP1]\r\nPow");
  WriteBytes(empty, "");
  // Another file's abandoned temporary, and names that only look like temporaries.
  const fs::path otherFiles = NewTemporaryPath(folder / "preset.vmp.bak");
  WriteBytes(otherFiles, "");
  std::vector<std::string> lookalikes = {"~preset.vmp.tmp", "~preset.vmp.0123456789ABCDEF.tmp",
                                         "~preset.vmp.0123456789abcdef.tmp~",
                                         "preset.vmp.0123456789abcdef.tmp"};
#ifndef _WIN32
  // Where names ignore letter case, this one does belong to preset.vmp.
  lookalikes.push_back("~PRESET.vmp.0123456789abcdef.tmp");
#endif
  for (const std::string& name : lookalikes) {
    WriteBytes(folder / name, "");
  }
  const fs::path live = NewTemporaryPath(preset);
  {
    LiveWriter writer(live);
    WriteProfileString(preset, "AMP1", "Power", "ON");
    std::vector<std::string> kept = lookalikes;
    kept.insert(kept.end(), {"preset.vmp", Name(otherFiles), Name(live)});
    EXPECT_EQ(folder.Names(), Sorted(kept));
    EXPECT_EQ(ReadBytes(preset), "[AMP1]\r\nPower=ON\r\n");
  }
  // Once its writer is gone, the next save takes it away too.
  WriteProfileString(preset, "AMP1", "Power", "OFF");
  std::vector<std::string> kept = lookalikes;
  kept.insert(kept.end(), {"preset.vmp", Name(otherFiles)});
  EXPECT_EQ(folder.Names(), Sorted(kept));
}

#ifndef _WIN32
// Up to 233 bytes the temporary is "~<name>.<16 hex digits>.tmp"; above, the name is cut
// (never inside a character) and a hash of the whole name keeps files apart.
TEST(SaveTemporaries, EveryNameTheFolderAcceptsCanBeSavedNewOrReplaced) {
  ScratchFolder folder;
  std::string utf8 = "a";
  for (int i = 0; i < 127; ++i) {
    utf8 += "\xC3\xA9";
  }
  for (const std::string& name : {std::string(229, 'n') + ".vmp", std::string(230, 'n') + ".vmp",
                                  std::string(251, 'n') + ".vmp", utf8}) {
    SCOPED_TRACE(name.size());
    const fs::path preset = folder / name;
    const fs::path abandoned = NewTemporaryPath(preset);
    EXPECT_LE(Name(abandoned).size(), 255u);
    WriteBytes(abandoned, "");
    WriteProfileString(preset, "AMP1", "Power", "ON");
    WriteProfileString(preset, "AMP1", "Power", "OFF");
    EXPECT_EQ(ReadBytes(preset), "[AMP1]\r\nPower=OFF\r\n");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{name});
    fs::remove(preset);
  }
  EXPECT_EQ(Name(NewTemporaryPath(folder / (std::string(229, 'n') + ".vmp"))).size(), 255u);
  EXPECT_EQ(Name(NewTemporaryPath(folder / (std::string(230, 'n') + ".vmp"))).size(), 255u);
  // Cut one byte short of the limit, where the 216th byte would split an "é".
  EXPECT_EQ(Name(NewTemporaryPath(folder / utf8)).size(), 254u);
  // Two long names with the same head keep separate temporaries.
  const std::string head(240, 'h');
  EXPECT_NE(Name(NewTemporaryPath(folder / (head + "1"))).substr(0, 234),
            Name(NewTemporaryPath(folder / (head + "2"))).substr(0, 234));
}

TEST(SaveTemporaries, ASaveOverAnotherUsersFileKeepsItsOwnerGroupAndPermissions) {
  if (geteuid() != 0) {
    GTEST_SKIP() << "only root may give a file to another user";
  }
  ScratchFolder folder;
  const fs::path preset = folder / "preset.vmp";
  WriteBytes(preset, "[AMP1]\r\nPower=OFF\r\n");
  ASSERT_EQ(::chown(preset.c_str(), 65534, 65534), 0);
  ASSERT_EQ(::chmod(preset.c_str(), 0640), 0);
  WriteProfileString(preset, "AMP1", "Power", "ON");
  struct stat saved {};
  ASSERT_EQ(::stat(preset.c_str(), &saved), 0);
  EXPECT_EQ(saved.st_uid, 65534u);
  EXPECT_EQ(saved.st_gid, 65534u);
  EXPECT_EQ(saved.st_mode & 07777, 0640u);
  EXPECT_EQ(ReadBytes(preset), "[AMP1]\r\nPower=ON\r\n");
}

TEST(SaveTemporaries, ALinkToAMissingFileCreatesThatFileAndALoopIsRefused) {
  ScratchFolder folder;
  fs::create_directory(folder / "presets");
  fs::create_symlink("presets/real.vmp", folder / "link.vmp");
  fs::create_symlink("link.vmp", folder / "second link.vmp");
  WriteProfileString(folder / "second link.vmp", "AMP1", "Power", "ON");
  EXPECT_TRUE(fs::is_symlink(folder / "link.vmp"));
  EXPECT_TRUE(fs::is_symlink(folder / "second link.vmp"));
  EXPECT_EQ(ReadBytes(folder / "presets" / "real.vmp"), "[AMP1]\r\nPower=ON\r\n");
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"link.vmp", "presets", "second link.vmp"}));

  fs::create_symlink("loop b", folder / "loop a");
  fs::create_symlink("loop a", folder / "loop b");
  fs::create_symlink("absent/real.vmp", folder / "into nothing");
  for (const char* name : {"loop a", "into nothing"}) {
    try {
      WriteProfileString(folder / name, "AMP1", "Power", "ON");
      ADD_FAILURE() << "no error for " << name;
    } catch (const ProfileWriteError& error) {
      EXPECT_EQ(error.what(), "Impossible d'écrire dans " + (folder / name).string());
    }
  }
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"into nothing", "link.vmp", "loop a",
                                                      "loop b", "presets", "second link.vmp"}));
}
#endif

}  // namespace
}  // namespace velmora

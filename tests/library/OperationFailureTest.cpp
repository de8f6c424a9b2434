// POSIX only: links, pipes, user namespaces and the freedesktop trash.
#ifndef _WIN32

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "LibraryFiles.h"
#include "TemporaryFolder.h"
#include "library/FileOperations.h"
#include "profile/AtomicFile.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

// Runs the operation where the file permissions bind even for root: a user namespace of
// its own maps no user, so root loses the right to pass over them. Returns the error text,
// or "" when the operation succeeded.
std::string FailureOf(const std::function<void()>& operation) {
  int pipe_[2];
  if (pipe(pipe_) != 0) {
    return "no pipe";
  }
  const pid_t child = fork();
  if (child == 0) {
    close(pipe_[0]);
    std::string text;
    if (geteuid() == 0 && unshare(CLONE_NEWUSER) != 0) {
      text = "no user namespace";
    } else {
      try {
        operation();
      } catch (const std::exception& error) {
        text = error.what();
      }
    }
    const ssize_t written = write(pipe_[1], text.data(), text.size());
    _exit(written == static_cast<ssize_t>(text.size()) ? 0 : 1);
  }
  close(pipe_[1]);
  std::string text;
  char buffer[512];
  for (ssize_t got; (got = read(pipe_[0], buffer, sizeof buffer)) > 0;) {
    text.append(buffer, static_cast<std::size_t>(got));
  }
  close(pipe_[0]);
  waitpid(child, nullptr, 0);
  return text;
}

struct FailureCase {
  const char* what;
  std::function<void(const fs::path&)> operation;  // given the folder
  bool readOnly;
  std::string expected;  // "@" standing for the full path of the folder and "/"
};

TEST(OperationFailureTest, EachOperationRefusesWithATextNamingTheFileAndChangesNothing) {
  const std::string gone = "No such file or directory";
  const std::string denied = "Permission denied";
  const FailureCase cases[] = {
      {"rename onto a name that exists", [](const fs::path& f) { RenamePreset(f / "a.vmp", "b"); },
       false, "Impossible de renommer @a.vmp en b.vmp : un fichier de ce nom existe déjà"},
      {"rename a file gone", [](const fs::path& f) { RenamePreset(f / "gone.vmp", "c"); }, false,
       "Impossible de renommer @gone.vmp en c.vmp : " + gone},
      {"rename in a read-only folder", [](const fs::path& f) { RenamePreset(f / "a.vmp", "c"); },
       true, "Impossible de renommer @a.vmp en c.vmp : " + denied},
      {"duplicate a file gone", [](const fs::path& f) { DuplicatePreset(f / "gone.vmp"); }, false,
       "Impossible de dupliquer @gone.vmp : " + gone},
      {"duplicate in a read-only folder", [](const fs::path& f) { DuplicatePreset(f / "a.vmp"); },
       true, "Impossible de dupliquer @a.vmp : " + denied},
      {"trash a file gone", [](const fs::path& f) { TrashPreset(f / "gone.vmp"); }, false,
       "Impossible de mettre @gone.vmp à la corbeille : "},
      {"trash from a read-only folder", [](const fs::path& f) { TrashPreset(f / "a.vmp"); }, true,
       "Impossible de mettre @a.vmp à la corbeille : "},
      {"save onto a name that exists", [](const fs::path& f) { NewPresetPath(f, "b"); }, false,
       "Impossible d'enregistrer @b.vmp : un fichier de ce nom existe déjà"},
  };
  // ThreadSanitizer's runtime, for one, keeps a forked child from making the namespace.
  if (FailureOf([] {}) == "no user namespace") {
    GTEST_SKIP() << "no user namespace can be made here, so root would pass every permission";
  }
  for (const FailureCase& failure : cases) {
    const fs::path root = MakeTemporaryFolder("velmora-operations");
    const fs::path folder = root / "presets";
    WriteFile(folder / "a.vmp", "A");
    WriteFile(folder / "b.vmp", "B");
    setenv("HOME", root.c_str(), 1);
    setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    if (failure.readOnly) {
      fs::permissions(folder,
                      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                      fs::perm_options::remove);
    }
    std::string expected = failure.expected;
    expected.replace(expected.find('@'), 1, FullPathText(folder) + "/");
    const std::string text = FailureOf([&] { failure.operation(folder); });
    EXPECT_TRUE(text.starts_with(expected)) << failure.what << ": " << text;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
    std::vector<std::string> left;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
      left.push_back(entry.path().filename().string() + "=" + FileBytes(entry.path()));
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"a.vmp=A", "b.vmp=B"})) << failure.what;
    fs::remove_all(root);
  }
}

TEST(OperationFailureTest, NamesThatNoFolderCanHoldAreRefused) {
  for (const char* name : {"", "a/b", "a\\b", "x:", "dot.", "blank ", "line\nbreak", ".."}) {
    EXPECT_THROW(RenamePreset("/nowhere/a.vmp", name), LibraryOperationError) << name;
  }
}

TEST(OperationFailureTest, DuplicatesTakeTheFirstFreeNumberAndRenameMovesTheBytes) {
  const fs::path folder = MakeTemporaryFolder("velmora-duplicate");
  WriteFile(folder / "Crunch.VMP", "C");
  EXPECT_EQ(DuplicatePreset(folder / "Crunch.VMP"), folder / "Crunch (2).VMP");
  EXPECT_EQ(DuplicatePreset(folder / "Crunch.VMP"), folder / "Crunch (3).VMP");
  EXPECT_EQ(RenamePreset(folder / "Crunch (2).VMP", "crunch"), folder / "crunch.vmp");
  EXPECT_EQ(FileBytes(folder / "crunch.vmp"), "C");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 3);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace velmora

#endif

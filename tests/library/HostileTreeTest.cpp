// POSIX only: links, pipes, user namespaces and the freedesktop trash.
#ifndef _WIN32

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "LibraryFiles.h"
#include "TemporaryFolder.h"
#include "library/FolderWalk.h"
#include "library/LibraryIndexFile.h"
#include "library/PresetLibrary.h"
#include "profile/AtomicFile.h"
#include "profile/Profile.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

constexpr const char* kPlexi = "[AMP1]\nPower=ON\nAmp='68 Brit Plexi Lead 100\nDRIVE1=900\n";

struct Listed {
  std::string path;
  std::string error;
  bool operator==(const Listed&) const = default;
};

std::vector<Listed> ListOf(const PresetLibrary& library) {
  std::vector<Listed> listed;
  for (const LibraryEntry& entry : library.Entries()) {
    listed.push_back({entry.relativeText, entry.error});
  }
  return listed;
}

TEST(HostileTreeTest, EveryPresetIsListedOnceWithItsReasonAndLoopsEnd) {
  const fs::path root = MakeTemporaryFolder("velmora-hostile");
  WriteFile(root / "a.vmp", kPlexi);
  WriteFile(root / "notes.txt", kPlexi);
  WriteFile(root / "a.vmpx", kPlexi);
  WriteFile(root / ".hidden/h.vmp", kPlexi);
  WriteFile(root / "sub/knob.VMP", "[AMP2]\nBASS2=1.5\n");
  WriteFile(root / "sub/line\nbreak \xC3\xA9.vmp", kPlexi);
  WriteFile(root / "sub/Caf\xE9.vmp", kPlexi);
  WriteFile(root / "sub/big.vmp", "");
  fs::resize_file(root / "sub/big.vmp", kMaxProfileFileBytes + 1);
  ASSERT_EQ(mkfifo((root / "sub/pipe.vmp").c_str(), 0644), 0);
  fs::create_symlink(root / "missing", root / "sub/dangling.vmp");
  fs::create_directory_symlink(root, root / "sub/loop");
  fs::create_directory_symlink(root / "sub", root / "zlink");

  PresetLibrary library(root, {});
  library.Refresh();
  const std::string sub = FullPathText(root / "sub") + "/";
  const std::vector<Listed> expected = {
      {"a.vmp", ""},
      {"sub/big.vmp",
       "Fichier trop volumineux : " + sub + "big.vmp dépasse 16 Mio (16777216 octets)"},
      {"sub/Caf\xC3\xA9.vmp", ""},
      {"sub/dangling.vmp",
       "Impossible de lire " + sub + "dangling.vmp : No such file or directory"},
      {"sub/knob.VMP", "'1.5' n'est pas une valeur entière correcte"},
      {"sub/line\nbreak \xC3\xA9.vmp", ""},
      {"sub/pipe.vmp", "Impossible de lire " + sub + "pipe.vmp : not a regular file"},
  };
  EXPECT_EQ(ListOf(library), expected);
  const std::vector<std::string> problems = {
      "Boucle de liens : " + sub + "loop mène à " + FullPathText(root) + ", déjà listé",
      "Boucle de liens : " + FullPathText(root / "zlink") + " mène à " +
          FullPathText(root / "sub") + ", déjà listé"};
  EXPECT_EQ(library.Problems(), problems);
  EXPECT_FALSE(library.StoppedAtLimit());
  const ChannelContent& amp1 = library.Entries()[0].content.channels[0];
  EXPECT_EQ(amp1, (ChannelContent{true, 51, 0, {508, 256, 256, 256, 256, 256}}));

  const FolderListing limited = ListPresetFiles(root, 3);
  EXPECT_TRUE(limited.stoppedAtLimit);
  EXPECT_EQ(limited.files.size(), 3u);
  fs::remove_all(root);
}

// The index is used for files whose size and time are unchanged, and a damaged one is
// thrown away whole.
TEST(HostileTreeTest, TheIndexSparesUnchangedFilesAndADamagedOneIsRebuilt) {
  const fs::path root = MakeTemporaryFolder("velmora-index");
  const fs::path index = root / "index.bin";
  WriteFile(root / "presets/a.vmp", kPlexi);
  WriteFile(root / "presets/b.vmp", "[AMP1]\nDRIVE1=x\n");
  PresetLibrary(root / "presets", index).Refresh();

  // Same size, same time, other content: only the index can still say "Plexi".
  const fs::file_time_type time = fs::last_write_time(root / "presets/a.vmp");
  WriteFile(root / "presets/a.vmp", std::string(kPlexi).replace(20, 3, "xxx"));
  fs::last_write_time(root / "presets/a.vmp", time);
  PresetLibrary cached(root / "presets", index);
  EXPECT_TRUE(cached.Refresh());
  EXPECT_EQ(cached.Entries()[0].content.channels[0].amp, 51);
  EXPECT_EQ(cached.Entries()[1].error, "'x' n'est pas une valeur entière correcte");
  EXPECT_FALSE(cached.Refresh());

  std::string bytes = FileBytes(index);
  for (std::size_t at : {std::size_t{0}, bytes.size() / 2, bytes.size() - 1}) {
    std::string damaged = bytes;
    damaged[at] = static_cast<char>(damaged[at] ^ 1);
    WriteFile(index, damaged);
    EXPECT_TRUE(ReadLibraryIndex(index, root / "presets").empty()) << "byte " << at;
  }
  WriteFile(index, bytes.substr(0, bytes.size() - 9));
  PresetLibrary rebuilt(root / "presets", index);
  rebuilt.Refresh();
  EXPECT_EQ(rebuilt.Entries()[0].content.channels[0].amp, 0);
  EXPECT_EQ(ReadLibraryIndex(index, root / "other").size(), 0u);
  EXPECT_EQ(ReadLibraryIndex(index, root / "presets").size(), 2u);
  fs::remove_all(root);
}

}  // namespace
}  // namespace velmora

#endif

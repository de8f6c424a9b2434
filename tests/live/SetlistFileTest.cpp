// The setlist file: read, edited and written back, moved with its presets, and refused
// line by line.

#include <gmock/gmock.h>

#include <fstream>
#include <iterator>
#include <string>

#include "TemporaryFolder.h"
#include "live/SetlistFile.h"
#include "profile/AtomicFile.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
std::string Slurp(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class SetlistFileTest : public ::testing::Test {
 protected:
  SetlistFileTest() : root_(MakeTemporaryFolder("velmora-setlist-")) {}
  ~SetlistFileTest() override {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  fs::path Write(const fs::path& relative, std::string_view bytes) {
    fs::create_directories((root_ / relative).parent_path());
    std::ofstream(root_ / relative, std::ios::binary) << bytes;
    return root_ / relative;
  }
  fs::path root_;
};

// A BOM, CRLF and LF mixed, a last line without an ending, accented names: only the
// edited lines change.
TEST_F(SetlistFileTest, ARoundTripKeepsEveryLineButTheEditedOnes) {
  const std::string original =
      "\xEF\xBB\xBF# Fête de la musique\r\nsons/Crème brûlée.VMP\tÇa commence\r\n\r\n"
      "USER 3B\n  \t \nFACTORY 1A\tFin";
  const fs::path file = Write(u8"gig/liste é.vsl", original);
  Write(u8"gig/sons/Crème brûlée.VMP", "");
  Setlist setlist = ReadSetlistFile(file);
  ASSERT_EQ(setlist.Count(), 3u);
  EXPECT_EQ(setlist.Item(0).ShownLabel(), "Ça commence");
  EXPECT_EQ(setlist.Item(1).ShownLabel(), "USER 3B");
  EXPECT_EQ(MissingFilesWarning(setlist, file), "");

  WriteSetlistFile(setlist, file);
  EXPECT_EQ(Slurp(file), original);

  setlist.Move(2, -1);
  setlist.Insert(3, SetlistItem{root_ / u8"gig/sons/Après.vmp", {}, {}, {}});
  setlist.Insert(0, SetlistItem{root_ / "ailleurs" / "Solo.vmp", {}, {}, "Solo à deux"});
  setlist.Remove(1);
  WriteSetlistFile(setlist, file);
  EXPECT_EQ(Slurp(file),
            "\xEF\xBB\xBF# Fête de la musique\r\n" + FullPathText(root_ / "ailleurs" / "Solo.vmp") +
                "\tSolo à deux\r\n\r\nFACTORY 1A\tFin\n  \t \nUSER 3B\r\nsons/Après.vmp\r\n");
}

// The folder moved with its presets: relative paths follow it.
TEST_F(SetlistFileTest, RelativePathsFollowAMovedFolder) {
  Write("old/a.vmp", "");
  Write("old/songs/b.vmp", "");
  Write("old/set.vsl", "a.vmp\nsongs/b.vmp\tB\n");
  fs::rename(root_ / "old", root_ / "new");
  Setlist setlist = ReadSetlistFile(root_ / "new/set.vsl");
  EXPECT_EQ(setlist.Item(1).file, root_ / "new/songs/b.vmp");
  EXPECT_EQ(MissingFilesWarning(setlist, root_ / "new/set.vsl"), "");
}

TEST_F(SetlistFileTest, AnyOtherLineIsRefusedWithItsNumber) {
  const std::string neither =
      ": neither a preset file (.vmp) nor USER or FACTORY and a key from 1A to 16D: ";
  const std::pair<const char*, std::string> cases[] = {
      {"USER 1A\nUSER 17A\n", ":2" + neither + "\"USER 17A\""},
      {"# notes\r\nnotes.txt\r\n", ":2" + neither + "\"notes.txt\""},
      {"\n\nuser 3B", ":3" + neither + "\"user 3B\""},
      {"FACTORY 04A\tx", ":1" + neither + "\"FACTORY 04A\""},
  };
  for (const auto& [bytes, error] : cases) {
    const fs::path file = Write("bad.vsl", bytes);
    try {
      ReadSetlistFile(file);
      ADD_FAILURE() << bytes;
    } catch (const SetlistError& thrown) {
      EXPECT_EQ(thrown.what(), FullPathText(file) + error);
    }
  }
}

}  // namespace
}  // namespace velmora

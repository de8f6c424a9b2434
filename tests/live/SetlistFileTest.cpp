// The setlist file: read, edited and written back, moved with its presets, and refused
// line by line.

#include <gmock/gmock.h>

#include <fstream>
#include <sstream>
#include <string>

#include "TemporaryFolder.h"
#include "live/SetlistFile.h"
#include "profile/AtomicFile.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

std::string Slurp(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
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
  const fs::path file = Write("gig/liste é.vsl", original);
  Write("gig/sons/Crème brûlée.VMP", "");
  Setlist setlist = ReadSetlistFile(file);
  ASSERT_EQ(setlist.Count(), 3u);
  EXPECT_EQ(setlist.Item(0).ShownLabel(), "Ça commence");
  EXPECT_EQ(setlist.Item(1).ShownLabel(), "USER 3B");
  EXPECT_EQ(MissingFilesWarning(setlist, file), "");

  WriteSetlistFile(setlist, file);
  EXPECT_EQ(Slurp(file), original);

  setlist.Move(2, -1);
  setlist.Insert(3, SetlistItem{root_ / "gig/sons/Après.vmp", {}, {}, {}});
  setlist.Insert(0, SetlistItem{root_ / "ailleurs" / "Solo.vmp", {}, {}, "Solo à deux"});
  setlist.Remove(1);
  WriteSetlistFile(setlist, file);
  EXPECT_EQ(Slurp(file),
            "\xEF\xBB\xBF# Fête de la musique\r\n" + FullPathText(root_ / "ailleurs" / "Solo.vmp") +
                "\tSolo à deux\r\n\r\nFACTORY 1A\tFin\n  \t \nUSER 3B\r\nsons/Après.vmp\r\n");
  EXPECT_EQ(MissingFilesWarning(setlist, file),
            "Missing from the setlist " + FullPathText(file) + ":\n  " +
                FullPathText(root_ / "ailleurs" / "Solo.vmp") + "\n  " +
                FullPathText(root_ / "gig" / "sons" / "Après.vmp"));
}

// The folder moved with its presets: relative paths follow it; saving it elsewhere writes
// them from there.
TEST_F(SetlistFileTest, RelativePathsFollowAMovedFolder) {
  Write("old/a.vmp", "");
  Write("old/songs/b.vmp", "");
  Write("old/set.vsl", "a.vmp\nsongs/b.vmp\tB\n");
  fs::rename(root_ / "old", root_ / "new");
  Setlist setlist = ReadSetlistFile(root_ / "new/set.vsl");
  EXPECT_EQ(setlist.Item(1).file, root_ / "new/songs/b.vmp");
  EXPECT_EQ(MissingFilesWarning(setlist, root_ / "new/set.vsl"), "");

  WriteSetlistFile(setlist, root_ / "new/songs/copy.vsl");
  EXPECT_EQ(Slurp(root_ / "new/songs/copy.vsl"),
            FullPathText(root_ / "new" / "a.vmp") + "\nb.vmp\tB\n");
  EXPECT_EQ(ReadSetlistFile(root_ / "new/songs/copy.vsl").Item(0).file, root_ / "new/a.vmp");
}

TEST_F(SetlistFileTest, AnyOtherLineIsRefusedWithItsNumber) {
  const struct {
    const char* bytes;
    const char* error;
  } cases[] = {
      {"USER 1A\nUSER 17A\n",
       ":2: neither a preset file (.vmp) nor USER or FACTORY and a key "
       "from 1A to 16D: \"USER 17A\""},
      {"# notes\r\nnotes.txt\r\n",
       ":2: neither a preset file (.vmp) nor USER or FACTORY and "
       "a key from 1A to 16D: \"notes.txt\""},
      {"\n\nuser 3B",
       ":3: neither a preset file (.vmp) nor USER or FACTORY and a key from 1A "
       "to 16D: \"user 3B\""},
      {"FACTORY 04A\tx",
       ":1: neither a preset file (.vmp) nor USER or FACTORY and a key from "
       "1A to 16D: \"FACTORY 04A\""},
      {".vmp\n",
       ":1: neither a preset file (.vmp) nor USER or FACTORY and a key from 1A to "
       "16D: \".vmp\""},
  };
  for (const auto& bad : cases) {
    const fs::path file = Write("bad.vsl", bad.bytes);
    try {
      ReadSetlistFile(file);
      ADD_FAILURE() << bad.bytes;
    } catch (const SetlistError& error) {
      EXPECT_EQ(error.what(), FullPathText(file) + bad.error);
    }
  }
}

}  // namespace
}  // namespace velmora

// The setlist pane's operations: what is refused and said, and the start-up's reopening.

#include <gmock/gmock.h>

#include <fstream>

#include "SurfaceFixture.h"
#include "TemporaryFolder.h"
#include "live/LiveStage.h"
#include "live/SetlistEditing.h"
#include "profile/AtomicFile.h"
#include "profile/Profile.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;

using SetlistPaneTest = SurfaceTest;

// Refusals name what is wrong and leave the setlist as it was; the setlist kept in
// config.ini opens at start with one warning for its missing files, or, when it no longer
// reads, one error and an empty pane.
TEST_F(SetlistPaneTest, RefusalsAndTheStartUpsReopening) {
  const std::filesystem::path gig = root_ / "gig.vsl";
  std::ofstream(gig, std::ios::binary) << "USER 2C\nlost.vmp\tLost\n";
  WriteConfig("[LIVE]\r\nSetlist=" + gig.string() + "\r\nNext=C0 05\r\n");
  RestoreSetlist(context_);
  EXPECT_EQ(form_.setlist.lvSetlist.rowCount, 2u);
  EXPECT_EQ(form_.setlist.lblPedale, "Pédale : suivant C0 05, précédent aucun");

  form_.setlist.edtSetlistStored = "USER 17A";
  EXPECT_THROW(SetlistAddStored(context_), std::runtime_error);
  SetlistOpen(context_);
  EXPECT_EQ(view_.dialogAsked, std::make_pair(std::string("Setlist Velmora|*.vsl"), gig));
  EXPECT_EQ(form_.stage->Edited().Count(), 2u);

  std::ofstream(gig, std::ios::binary) << "USER 2C\nnotes.txt\n";
  form_.stage = MakeLiveStage();
  RestoreSetlist(context_);
  EXPECT_THAT(Wire(), ElementsAre("box: Missing from the setlist " + FullPathText(gig) + ":\n  " +
                                      FullPathText(root_ / "lost.vmp"),
                                  "error: " + FullPathText(gig) +
                                      ":2: neither a preset file (.vmp) nor USER or FACTORY and "
                                      "a key from 1A to 16D: \"notes.txt\""));
}

// Save asks for a file only while the setlist has none; Save as starts at its file, and
// cancelled changes nothing; config.ini follows each file saved or opened, not New.
TEST_F(SetlistPaneTest, SaveAsksOnlyForANewSetlistAndConfigFollowsTheFile) {
  const std::filesystem::path gig = root_ / "gig.vsl";
  const std::filesystem::path other = root_ / u8"Répét.vsl";
  std::ofstream(other, std::ios::binary) << "FACTORY 1A\n";
  SetlistAddStored(context_);
  view_.saveAnswer = gig;
  SetlistSave(context_);
  SetlistAddStored(context_);
  SetlistSave(context_);
  view_.saveAnswer.reset();
  SetlistSaveAs(context_);
  EXPECT_EQ(view_.saveDialogs, 2);
  EXPECT_EQ(ReadAll(gig), "USER 1A\nUSER 1A\n");
  view_.openAnswer = other;
  SetlistOpen(context_);
  SetlistNew(context_);
  const std::u8string kept = other.u8string();
  EXPECT_EQ(ReadProfileString(context_.folders.ConfigFile(), "LIVE", "Setlist"),
            std::string(kept.begin(), kept.end()));
}

}  // namespace
}  // namespace velmora

// The setlist pane's operations: what is refused and said, and the start-up's reopening.

#include <gmock/gmock.h>

#include <fstream>

#include "SurfaceFixture.h"
#include "live/LiveStage.h"
#include "live/SetlistEditing.h"
#include "profile/AtomicFile.h"

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
  form_.setlist.edtSetlistFile.clear();
  EXPECT_THROW(SetlistSave(context_), std::runtime_error);
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

}  // namespace
}  // namespace velmora

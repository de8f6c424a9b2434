// The setlist pane's operations: what is refused and said, and the start-up's reopening.

#include <gmock/gmock.h>

#include <fstream>

#include "SurfaceFixture.h"
#include "TemporaryFolder.h"
#include "live/LiveStage.h"
#include "live/SetlistEditing.h"
#include "profile/AtomicFile.h"
#include "profile/Profile.h"
#include "surface/shell/ErrorDisplay.h"
#include "surface/shell/MainWindowLife.h"

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

// Edits not saved are asked about before New, Open or the player's close drops them: Save
// writes them first (its dialog cancelled calls it all off), Cancel leaves everything as it
// was, with no error box, and the close does not happen.
TEST_F(SetlistPaneTest, EditsNotSavedAreAskedAboutBeforeTheyAreDropped) {
  const std::filesystem::path gig = root_ / "gig.vsl";
  const std::string changed =
      "question: La setlist gig.vsl a changé. Enregistrer les changements ? "
      "[Enregistrer|Ne pas enregistrer|Annuler]";
  struct Case {
    bool opened;  // gig.vsl opened first, else a new setlist
    bool edited;
    SaveReply reply;
    void (*drop)(EditingContext&);
    bool done;
    std::vector<std::string> wire;
    std::size_t itemsAfter;
    std::string gigAfter;
  };
  const Case cases[] = {
      {true, false, SaveReply::kCancel, SetlistNew, true, {}, 0, "USER 2C\n"},
      {true, true, SaveReply::kDiscard, SetlistNew, true, {changed}, 0, "USER 2C\n"},
      {true, true, SaveReply::kSave, SetlistNew, true, {changed}, 0, "USER 2C\nUSER 1A\n"},
      {true, true, SaveReply::kCancel, SetlistOpen, false, {changed}, 2, "USER 2C\n"},
      {true, true, SaveReply::kCancel, FormCloseByPlayer, false, {changed}, 2, "USER 2C\n"},
      // The save dialog cancelled.
      {false,
       true,
       SaveReply::kSave,
       SetlistNew,
       false,
       {"question: La nouvelle setlist n'est pas enregistrée. L'enregistrer ? "
        "[Enregistrer|Ne pas enregistrer|Annuler]"},
       1,
       "USER 2C\n"},
  };
  for (const Case& row : cases) {
    std::ofstream(gig, std::ios::binary) << "USER 2C\n";
    form_.stage = MakeLiveStage();
    if (row.opened) {
      view_.openAnswer = gig;
      SetlistOpen(context_);
    }
    if (row.edited) {
      SetlistAddStored(context_);
    }
    ClearWire();
    view_.saveReply = row.reply;
    view_.saveAnswer.reset();
    view_.openAnswer.reset();
    const bool done = RunHandler(view_, [&] { row.drop(context_); });
    EXPECT_EQ(done, row.done);
    EXPECT_THAT(Wire(), ::testing::ElementsAreArray(row.wire));
    EXPECT_EQ(form_.stage->Edited().Count(), row.itemsAfter);
    EXPECT_EQ(ReadAll(gig), row.gigAfter);
  }
  EXPECT_FALSE(std::filesystem::exists(context_.folders.DefaultPresetFile()));
}

}  // namespace
}  // namespace velmora

#include <gmock/gmock.h>

#include "SurfaceFixture.h"
#include "surface/editing/GuitarPanel.h"
#include "surface/files/PictureFile.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class GuitarPanelTest : public SurfaceTest {
 protected:
  // The loads as "control <path relative to images/Guitares/>".
  std::vector<std::string> Loads() const {
    std::vector<std::string> loads;
    const std::filesystem::path folder = root_ / "images/Guitares";
    for (const RecordingView::PictureLoad& load : view_.loads) {
      loads.push_back(load.control + " " + load.path.lexically_relative(folder).generic_string());
    }
    return loads;
  }
};

TEST_F(GuitarPanelTest, TelecasterModifiedSendsItsMessageAndShowsItsPictures) {
  Select(form_.cbGuitares, "2 Telecaster modified");
  cbGuitaresChange(context_);
  EXPECT_THAT(Wire(), ElementsAre("F0 00 01 0C 03 07 0D 02 00 00 00 00 09 F7 00"));
  EXPECT_THAT(Loads(), ElementsAre("imgGuitares T-MODEL/2.jpg", "imgSelecteurMicros selecteur2.jpg",
                                   "imgMicroManche single coil.jpg", "imgMicroCentre nopickup.jpg",
                                   "imgMicroChevalet single coil.jpg"));
  EXPECT_EQ(form_.lblVariaxBanque, "T-MODEL");
  EXPECT_EQ(form_.lblGuitareMarque, "Fender");
  EXPECT_EQ(form_.lblGuitareModele, "Telecaster modified");
  EXPECT_EQ(form_.lblGuitareAnnee, "1968");
  EXPECT_EQ(form_.imgGuitares.file, PicturePath("T-MODEL/2.jpg"));
  EXPECT_EQ(form_.imgSelecteurMicros.file, PicturePath("selecteur2.jpg"));
  EXPECT_EQ(form_.imgMicroCentre.file, PicturePath("nopickup.jpg"));
}

TEST_F(GuitarPanelTest, ResonatorsHaveNoPickupsAndOneHasNoYear) {
  form_.cbGuitares.itemIndex = 45;
  ApplyGuitarSelection(context_);
  EXPECT_EQ(form_.imgMicroManche.file, PicturePath("nopickup.jpg"));
  EXPECT_EQ(form_.imgMicroCentre.file, PicturePath("nopickup.jpg"));
  EXPECT_EQ(form_.imgMicroChevalet.file, PicturePath("nopickup.jpg"));
  EXPECT_EQ(form_.lblVariaxBanque, "RESO");
  form_.cbGuitares.itemIndex = 46;
  ApplyGuitarSelection(context_);
  EXPECT_EQ(form_.lblGuitareAnnee, "");
}

TEST_F(GuitarPanelTest, SpankUsesOnePictureForAllPositions) {
  for (int index = 5; index < 10; ++index) {
    form_.cbGuitares.itemIndex = index;
    ApplyGuitarSelection(context_);
    EXPECT_EQ(form_.imgGuitares.file, PicturePath("SPANK/12345.jpg"));
    EXPECT_EQ(form_.imgSelecteurMicros.file,
              PicturePath("selecteur" + std::to_string(index - 4) + ".jpg"));
  }
}

TEST_F(GuitarPanelTest, MissingGuitarPictureFallsBackAndTheRestStillChanges) {
  Select(form_.cbGuitares, "4 Corvane Custom");
  ApplyGuitarSelection(context_);
  EXPECT_THAT(Loads(),
              ElementsAre("imgGuitares Variax 700 rouge.jpg", "imgSelecteurMicros selecteur4.jpg",
                          "imgMicroManche nopickup.jpg", "imgMicroCentre humbucker.jpg",
                          "imgMicroChevalet humbucker.jpg"));
  EXPECT_THAT(view_.existenceChecks, ElementsAre(PicturePath("LESTER/4.jpg")));
  EXPECT_THAT(view_.messages, IsEmpty());
  EXPECT_EQ(form_.lblVariaxBanque, "LESTER");
  EXPECT_EQ(form_.lblGuitareAnnee, "1961");
}

TEST_F(GuitarPanelTest, MissingSelectorPictureStopsAfterTheLabels) {
  std::filesystem::remove(PicturePath("selecteur3.jpg"));
  Select(form_.cbGuitares, "3 Telecaster Thinline");
  try {
    ApplyGuitarSelection(context_);
    FAIL() << "no error";
  } catch (const PictureOpenError& error) {
    EXPECT_EQ(std::string(error.what()), "Impossible d'ouvrir le fichier \"" +
                                             PicturePath("selecteur3.jpg").string() +
                                             "\". No such file or directory");
  }
  EXPECT_THAT(Wire(), ElementsAre("F0 00 01 0C 03 07 0D 02 00 00 00 00 08 F7 00"));
  EXPECT_THAT(Loads(), ElementsAre("imgGuitares T-MODEL/35.jpg"));
  EXPECT_EQ(form_.lblGuitareModele, "Telecaster Thinline");
  EXPECT_EQ(form_.lblGuitareAnnee, "1968");
  EXPECT_TRUE(form_.imgSelecteurMicros.file.empty());
  EXPECT_TRUE(form_.imgMicroManche.file.empty());
}

TEST_F(GuitarPanelTest, MissingFallbackPictureStopsBeforeTheLabels) {
  std::filesystem::remove(PicturePath("Variax 700 rouge.jpg"));
  Select(form_.cbGuitares, "1 Corvane Standard");
  EXPECT_THROW(ApplyGuitarSelection(context_), PictureOpenError);
  EXPECT_EQ(Wire().size(), 1u);
  EXPECT_EQ(form_.lblGuitareMarque, "...");
  EXPECT_TRUE(form_.imgGuitares.file.empty());
}

TEST_F(GuitarPanelTest, WithoutPortTheScreenStillShowsTheGuitar) {
  form_.cbOutputDevices.itemIndex = -1;
  Select(form_.cbGuitares, "1 Telecaster Custom");
  ApplyGuitarSelection(context_);
  EXPECT_THAT(view_.messages, ElementsAre("Veuillez sélectionner un port de sortie (MIDI OUT)."));
  EXPECT_EQ(form_.lblGuitareModele, "Telecaster Custom");
  EXPECT_EQ(view_.loads.size(), 5u);
}

TEST_F(GuitarPanelTest, NoSelectionDoesNothingAndTheSameGuitarSendsAgain) {
  ApplyGuitarSelection(context_);
  EXPECT_THAT(Wire(), IsEmpty());
  EXPECT_THAT(view_.loads, IsEmpty());
  EXPECT_EQ(form_.lblGuitareMarque, "...");
  Select(form_.cbGuitares, "5 Telecaster Thinline");
  ApplyGuitarSelection(context_);
  ApplyGuitarSelection(context_);
  EXPECT_THAT(Wire(), ElementsAre("F0 00 01 0C 03 07 0D 02 00 00 00 00 06 F7 00",
                                  "F0 00 01 0C 03 07 0D 02 00 00 00 00 06 F7 00"));
}

TEST_F(GuitarPanelTest, ListHoldsTheFiftyKeysInOrderWithoutSelection) {
  FormModel form;
  FillGuitarList(form);
  ASSERT_EQ(form.cbGuitares.items.size(), 50u);
  EXPECT_EQ(form.cbGuitares.items[0], "1 Telecaster Custom");
  EXPECT_EQ(form.cbGuitares.items[49], "5 Tricorne");
  EXPECT_EQ(form.cbGuitares.itemIndex, -1);
}

TEST_F(GuitarPanelTest, TwoTogglesRestoreTheLayout) {
  bttnGuitaresClick(form_);
  EXPECT_EQ(form_.bttnGuitares.look, ColorScheme::csNeoSilver);
  EXPECT_FALSE(form_.imgGuitares.visible);
  EXPECT_EQ(form_.windowWidth, 533);
  for (Panel* panel : form_.MovablePanels()) {
    EXPECT_EQ(panel->left, 6);
  }
  bttnGuitaresClick(form_);
  EXPECT_EQ(form_.bttnGuitares.look, ColorScheme::csNeoSun);
  EXPECT_TRUE(form_.imgGuitares.visible);
  EXPECT_EQ(form_.windowWidth, 703);
  for (Panel* panel : form_.MovablePanels()) {
    EXPECT_EQ(panel->left, 176);
  }
}

TEST_F(GuitarPanelTest, ToggleWithAnyOtherLookDoesNothing) {
  form_.bttnGuitares.look = ColorScheme::csNeoDesert;
  bttnGuitaresClick(form_);
  EXPECT_EQ(form_.windowWidth, 703);
  EXPECT_TRUE(form_.imgGuitares.visible);
}

}  // namespace
}  // namespace velmora

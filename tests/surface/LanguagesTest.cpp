#include <gmock/gmock.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <fstream>
#include <string>
#include <vector>

#include "SurfaceFixture.h"
#include "profile/Profile.h"
#include "surface/editing/About.h"
#include "surface/editing/Languages.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

const std::vector<std::string> kFrench = {"Nouveau",
                                          "Ouvrir",
                                          "Enregistrer",
                                          "Guitare",
                                          "A propos...",
                                          "Translate",
                                          "Synchroniser",
                                          "Modèles de guitares:",
                                          "Matériel:",
                                          "Sensibilité: x",
                                          "Sensibilité: x",
                                          "Sélectionnez un modèle d'ampli...",
                                          "Sélectionnez un modèle d'ampli...",
                                          "Sélectionnez un modèle d'enceinte...",
                                          "Sélectionnez un modèle d'enceinte...",
                                          "Site officiel de Line 6"};

const std::vector<std::string> kEnglish = {"New",
                                           "Open",
                                           "Save",
                                           "Guitar",
                                           "About...",
                                           "Traduire",
                                           "Synchronise",
                                           "Guitars models:",
                                           "Hardware:",
                                           "Sensibility: x",
                                           "Sensibility: x",
                                           "Select amp model...",
                                           "Select amp model...",
                                           "Select cab model...",
                                           "Select cab model...",
                                           "Line 6 official website"};

// The designed window: French, except the switch and the hardware label.
std::vector<std::string> Designed() {
  std::vector<std::string> captions = kFrench;
  captions[8] = "Hardware:";
  return captions;
}

constexpr const char* kSettings =
    "[Variax]\r\nShow=YES\r\n[MIDI]\r\nIn=\r\nOut=0\r\n[PRESETS]\r\nSHOW=YES\r\nBANK=USER\r\n"
    "NUMBER=1\r\nLETTER=A\r\n[KNOBS]\r\nFACTOR=8\r\n[CONFIG]\r\nLanguage=";

class LanguagesTest : public SurfaceTest {
 protected:
  // Every caption a language switch may set, in the caption tables' order, then the texts
  // that no switch touches.
  std::vector<std::string> Captions() const {
    return {form_.bttnNouveau.caption,  form_.bttnOuvrir.caption,  form_.bttnEnregistrer.caption,
            form_.bttnGuitares.caption, form_.bttnAPropos.caption, form_.bttnTraduire.caption,
            form_.bttnSynchro.caption,  form_.lblModelesGuitares,  form_.lblMateriel,
            form_.lblSensibilite1,      form_.lblSensibilite2,     form_.lblAmpliAMP1,
            form_.lblAmpliAMP2,         form_.lblEnceinteAMP1,     form_.lblEnceinteAMP2,
            form_.about.lblSiteLine6};
  }
  std::vector<std::string> Untouched() const {
    return {form_.bttnPresets.caption, form_.lblMidiOut, form_.lblPresetBanque, form_.about.title,
            form_.about.bttnAProposFermer};
  }
  std::string ConfigText() const {
    std::ifstream config(context_.folders.ConfigFile(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(config), {});
  }
};

TEST_F(LanguagesTest, EachLanguageSetsEveryCaptionOfItsTable) {
  const std::vector<std::string> untouched = Untouched();
  EXPECT_THAT(Captions(), ElementsAreArray(Designed()));
  SetLanguageEnglish(context_);
  EXPECT_THAT(Captions(), ElementsAreArray(kEnglish));
  SetLanguageEnglish(context_);
  EXPECT_THAT(Captions(), ElementsAreArray(kEnglish));
  SetLanguageFrench(context_);
  EXPECT_THAT(Captions(), ElementsAreArray(kFrench));
  EXPECT_EQ(Untouched(), untouched);
  EXPECT_THAT(Wire(), ::testing::IsEmpty());
}

TEST_F(LanguagesTest, SwitchButtonDecidesFromItsCaptionAndRewritesOnlyTheLanguage) {
  WriteConfig(std::string(kSettings) + "FR\r\n");
  bttnTraduireClick(context_);
  EXPECT_THAT(Captions(), ElementsAreArray(kEnglish));
  EXPECT_EQ(ConfigText(), std::string(kSettings) + "EN\r\n");
  bttnTraduireClick(context_);
  EXPECT_THAT(Captions(), ElementsAreArray(kFrench));
  EXPECT_EQ(ConfigText(), std::string(kSettings) + "FR\r\n");

  form_.bttnTraduire.caption = "traduire";
  bttnTraduireClick(context_);
  EXPECT_EQ(form_.bttnNouveau.caption, "Nouveau");
  EXPECT_EQ(ConfigText(), std::string(kSettings) + "FR\r\n");
}

TEST_F(LanguagesTest, SwitchCreatesAMissingSettingsFile) {
  SetLanguageEnglish(context_);
  EXPECT_EQ(ConfigText(), "[CONFIG]\r\nLanguage=EN\r\n");
}

TEST_F(LanguagesTest, PlaceholdersOnlyOnChannelsWithoutAChosenModel) {
  Select(form_.cbAmpli1, "Line6 Clean");
  form_.lblAmpliAMP1 = "Line6 Clean";
  Select(form_.cbEnceintes2, "1x6 Super O");
  form_.lblEnceinteAMP2 = "1x6x9 Supro S6616 années ('60)";
  SetLanguageEnglish(context_);
  EXPECT_EQ(form_.lblAmpliAMP1, "Line6 Clean");
  EXPECT_EQ(form_.lblEnceinteAMP1, "Select cab model...");
  EXPECT_EQ(form_.lblAmpliAMP2, "Select amp model...");
  EXPECT_EQ(form_.lblEnceinteAMP2, "1x6x9 Supro S6616 années ('60)");
  form_.cbAmpli1.itemIndex = -1;
  SetLanguageFrench(context_);
  EXPECT_EQ(form_.lblAmpliAMP1, "Sélectionnez un modèle d'ampli...");
  EXPECT_EQ(form_.lblEnceinteAMP2, "1x6x9 Supro S6616 années ('60)");
}

TEST_F(LanguagesTest, SettingsThatCannotBeWrittenChangeNoCaption) {
  namespace fs = std::filesystem;
  auto expectRefused = [this] {
    for (auto apply : {bttnTraduireClick, SetLanguageEnglish, SetLanguageFrench}) {
      try {
        apply(context_);
        ADD_FAILURE() << "no error";
      } catch (const ProfileWriteError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Impossible d'écrire dans " + context_.folders.ConfigFile().string());
      }
    }
    EXPECT_THAT(Captions(), ElementsAreArray(Designed()));
  };
  // A folder where the file should be: refused even to root.
  fs::create_directory(context_.folders.ConfigFile());
  expectRefused();
  fs::remove(context_.folders.ConfigFile());

#ifdef _WIN32
  GTEST_SKIP() << "Windows folders have no POSIX write permission to take away";
#else
  if (geteuid() == 0) {
    GTEST_SKIP() << "root writes into a read-only folder";
  }
#endif
  WriteConfig(std::string(kSettings) + "FR\r\n");
  fs::permissions(root_, fs::perms::owner_write, fs::perm_options::remove);
  expectRefused();
  fs::permissions(root_, fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(ConfigText(), std::string(kSettings) + "FR\r\n");
}

TEST_F(LanguagesTest, StoredLanguageAtStartUp) {
  struct Case {
    const char* stored;
    std::vector<std::string> captions;
  };
  const std::vector<Case> cases = {
      {"FR", kFrench}, {"EN", kEnglish}, {"", kFrench}, {"DE", Designed()}, {"fr", Designed()}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    form_ = MakeStartupForm();
    const std::string before = std::string(kSettings) + c.stored + "\r\n";
    WriteConfig(before);
    ApplyStoredLanguage(context_, c.stored);
    EXPECT_THAT(Captions(), ElementsAreArray(c.captions));
    const bool applied = c.captions != Designed();
    const std::string code = c.captions == kEnglish ? "EN" : "FR";
    EXPECT_EQ(ConfigText(), applied ? std::string(kSettings) + code + "\r\n" : before);
  }
}

TEST_F(LanguagesTest, AboutWindowShowsTheSameTextsEveryTimeAndOpensTheSite) {
  AboutFormShow(form_.about);
  const AboutForm first = form_.about;
  SetLanguageEnglish(context_);
  AboutFormShow(form_.about);
  EXPECT_THAT(
      (std::vector<std::string>{first.lblNomLogiciel, first.lblVersionLogiciel, first.lblMateriel,
                                first.lblSiteLine6}),
      ElementsAre("Velmora", "1.01", "Variax + Vetta II Edition", "Site officiel de Line 6"));
  EXPECT_THAT((std::vector<std::string>{form_.about.lblNomLogiciel, form_.about.lblVersionLogiciel,
                                        form_.about.lblMateriel, form_.about.lblSiteLine6,
                                        form_.about.title, form_.about.bttnAProposFermer}),
              ElementsAre("Velmora", "1.01", "Variax + Vetta II Edition", "Line 6 official website",
                          "A propos...", "Fermer"));
  lblSiteLine6Click(view_);
  EXPECT_THAT(view_.websites, ElementsAre("https://line6.com/"));
  EXPECT_FALSE(form_.about.visible);
}

}  // namespace
}  // namespace velmora

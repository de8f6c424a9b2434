#include <gmock/gmock.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "SurfaceFixture.h"
#include "TemporaryFolder.h"
#include "midi/Midi.h"
#include "surface/editing/PortSelector.h"
#include "surface/editing/PresetBank.h"
#include "surface/shell/ErrorDisplay.h"
#include "surface/shell/MainWindowLife.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr const char* kNewConfig =
    "[Variax]\r\nShow=YES\r\n[MIDI]\r\nIn=\r\nOut=0\r\n[PRESETS]\r\nSHOW=YES\r\nBANK=USER\r\n"
    "NUMBER=1\r\nLETTER=A\r\n[KNOBS]\r\nFACTOR=8\r\n[CONFIG]\r\nLanguage=EN\r\n";

constexpr const char* kDefaultPreset =
    "[AMP1]\r\nPower=ON\r\nAmp=Bypass (no amp)\r\nCab=Bypass (no cab)\r\nDRIVE1=256\r\n"
    "BASS1=256\r\nMID1=256\r\nTREB1=256\r\nPRES1=256\r\nVOL1=256\r\n"
    "[AMP2]\r\nPower=OFF\r\nAmp=Bypass (no amp)\r\nCab=Bypass (no cab)\r\nDRIVE2=256\r\n"
    "BASS2=256\r\nMID2=256\r\nTREB2=256\r\nPRES2=256\r\nVOL2=256\r\n"
    "[Variax]\r\nGuitar=\r\n";

constexpr const char* kOutOfBounds = "TMidiOutput: Device index out of bounds! (-1)";
constexpr const char* kNoPortBox = "box: Veuillez sélectionner un port de sortie (MIDI OUT).";

// The new file's content with one line replaced.
std::string NewConfigWith(const std::string& line, const std::string& replacement) {
  std::string config = kNewConfig;
  return config.replace(config.find(line), line.size(), replacement);
}

// Each test is one run of the program: new device objects on `ports` virtual ports, the
// window as designed, and the shell's guard around every event.
class MainWindowLifeTest : public SurfaceTest {
 protected:
  MainWindowLifeTest() { NewRun(2); }

  void NewRun(unsigned ports) {
    auto platform = std::make_unique<VirtualMidiPlatform>(ports, ports);
    platform_ = platform.get();
    InstallMidiPlatform(std::move(platform));
    // Rebuilt in place: the context holds a reference to it. (Assigning a temporary makes
    // GCC 12 at -O3 report a false maybe-uninitialized inside std::string.)
    std::destroy_at(&form_);
    std::construct_at(&form_);
    ClearWire();
    view_.errors.clear();
  }

  // Creation, show and the first activation, as the window's events run them.
  void StartUp() {
    RunHandler(view_, [&] { FormCreate(context_, hub_); });
    RunHandler(view_, [&] { FormShow(context_); });
    RunHandler(view_, [&] { MainWindowActivated(context_, Activation::FirstShow); });
  }

  // The close box: true when the window may go.
  bool Close() {
    const bool closed = RunHandler(view_, [&] { FormClose(context_); });
    if (closed) {
      FormDestroy(hub_);
    }
    return closed;
  }

  std::string Config() const { return ReadAll(context_.folders.ConfigFile()); }

  MonitorHub hub_;
};

TEST_F(MainWindowLifeTest, FirstStartInAnEmptyFolderCreatesTheFilesRestoresUser1AAndLoads) {
  StartUp();
  EXPECT_EQ(Config(), kNewConfig);
  EXPECT_EQ(ReadAll(context_.folders.DefaultPresetFile()), kDefaultPreset);
  EXPECT_THAT(view_.errors, IsEmpty());
  // USER 1A, then the default preset: no guitar; each channel's bypass amp with its knobs
  // as they stood (0), the bypass cab, the knobs at the middle (40); AMP1 on, AMP2 off.
  const char* bypassCab1 = "F0 00 01 0C 03 07 0D 00 00 00 00 00 00 F7";
  const char* bypassCab2 = "F0 00 01 0C 03 07 0D 00 02 00 00 00 00 F7 00";
  EXPECT_THAT(Wire(),
              ElementsAreArray<std::string>(
                  {"C0 0E",       "C0 00",        "progress 0",  "pause",          "progress 10",
                   "B0 0C 31 00", "B0 0D 00",     "B0 0E 00",    "B0 0F 00",       "B0 10 00",
                   "B0 15 00",    "B0 11 00",     "pause",       "progress 20",    bypassCab1,
                   bypassCab1,    "pause",        "progress 30", "B0 0D 40",       "B0 0E 40",
                   "B0 0F 40",    "B0 10 40",     "B0 15 40",    "B0 11 40",       "pause",
                   "progress 40", "B0 5B 31 00",  "B0 5C 00",    "B0 5D 00",       "B0 5E 00",
                   "B0 5F 00",    "B0 66 00",     "B0 67 00",    "pause",          "progress 50",
                   bypassCab2,    "pause",        "progress 60", "B0 5C 40",       "B0 5D 40",
                   "B0 5E 40",    "B0 5F 40",     "B0 66 40",    "B0 67 40",       "pause",
                   "progress 70", "B0 6F 7F",     "pause",       "progress 80",    "B0 70 00",
                   "progress 90", "progress 100", "progress 0",  "progress hidden"}));
  EXPECT_EQ(form_.caption, "Velmora 1.01 -  Variax + Vetta II");
  EXPECT_EQ(form_.cbMateriel.Text(), "Variax + Vetta II");
  EXPECT_EQ(form_.cbOutputDevices.itemIndex, 0);
  EXPECT_EQ(form_.bttnTraduire.caption, "Traduire");
  EXPECT_EQ(form_.bttnNouveau.caption, "New");
  EXPECT_EQ(form_.lblPresetBanque, "USER");
  EXPECT_EQ(form_.lblPresetNumero, "1");
  EXPECT_EQ(form_.lblPresetABCD, "A");
  EXPECT_EQ(form_.bttnPresetUser.look, ColorScheme::csNeoDesert);
  EXPECT_EQ(form_.bttnPresetA.look, ColorScheme::csNeoDesert);
  EXPECT_EQ(form_.windowHeight, kDesignWindowHeight + kPresetPanelHeight);
  EXPECT_EQ(form_.windowWidth, kDesignWindowWidth);
  EXPECT_EQ(form_.lblSensibiliteKnobsAMP1, "8");
  EXPECT_EQ(form_.lblSensibiliteKnobsAMP2, "8");
  EXPECT_EQ(form_.cbAmpli1.Text(), "Bypass (no amp)");
  EXPECT_EQ(form_.cbEnceintes2.Text(), "Bypass (no cab)");
  EXPECT_EQ(form_.bttnOnOffAMP1.caption, "ON");
  EXPECT_EQ(form_.bttnOnOffAMP2.caption, "OFF");
  EXPECT_FALSE(form_.pbTraitementFichier.visible);
}

TEST_F(MainWindowLifeTest, StoredPortThatNamesNoPortStopsTheShowButTheDefaultPresetStillLoads) {
  struct Case {
    const char* out;
    unsigned ports;
    const char* error;
  };
  for (const Case& c :
       {Case{"-1", 2, kOutOfBounds}, Case{"7", 2, kOutOfBounds}, Case{"0", 0, kOutOfBounds},
        Case{"un", 2, "'un' n'est pas une valeur entière correcte."}}) {
    SCOPED_TRACE(c.out);
    NewRun(c.ports);
    WriteConfig(NewConfigWith("Out=0", std::string("Out=") + c.out));
    StartUp();
    EXPECT_THAT(view_.errors, ElementsAre(c.error));
    // Nothing after the port: the panel keeps its design captions, the labels "...".
    EXPECT_EQ(form_.lblPresetBanque, "FACTORY");
    EXPECT_EQ(form_.lblPresetNumero, ".");
    EXPECT_EQ(form_.lblSensibiliteKnobsAMP1, "...");
    EXPECT_EQ(form_.windowHeight, kDesignWindowHeight);
    // The default preset loads all the same; with no port its 31 sends show one box.
    EXPECT_THAT(platform_->Sent(), IsEmpty());
    EXPECT_THAT(view_.messages, ElementsAre(std::string(kNoPortBox).substr(5)));
    EXPECT_EQ(form_.bttnOnOffAMP1.caption, "ON");
    // The shutdown keeps the stored preset panel, which was never restored.
    ASSERT_TRUE(Close());
    EXPECT_EQ(Config(), NewConfigWith("Out=0", "Out=-1\r\nOutName="));
  }
}

TEST_F(MainWindowLifeTest, ShutdownWritesStateAndSettingsAndTheNextStartRestoresThem) {
  StartUp();
  form_.cbOutputDevices.itemIndex = 1;
  cbOutputDevicesSelect(context_);
  bttnPresetFactoryClick(context_);
  form_.lblPresetNumero = "3";
  bttnPresetBClick(context_);
  bttnPresetsClick(form_);
  Select(form_.cbAmpli2, "Line6 Clean");
  form_.tbDRIVE2.SetPosition(100);
  ClearWire();
  ASSERT_TRUE(Close());
  EXPECT_THAT(platform_->Sent(), IsEmpty());
  EXPECT_EQ(Config(),
            "[Variax]\r\nShow=YES\r\n[MIDI]\r\nIn=\r\nOut=1\r\nOutName=Virtual Out 2\r\n"
            "[PRESETS]\r\nSHOW=NO\r\n"
            "BANK=FACTORY\r\nNUMBER=3\r\nLETTER=B\r\n[KNOBS]\r\nFACTOR=8\r\n[CONFIG]\r\n"
            "Language=EN\r\n");
  std::string preset = kDefaultPreset;
  const std::string amp2 = "Amp=Bypass (no amp)\r\nCab=Bypass (no cab)\r\nDRIVE2=256";
  preset.replace(preset.find(amp2), amp2.size(),
                 "Amp=Line6 Clean\r\nCab=Bypass (no cab)\r\nDRIVE2=100");
  EXPECT_EQ(ReadAll(context_.folders.DefaultPresetFile()), preset);

  NewRun(2);
  StartUp();
  EXPECT_THAT(view_.errors, IsEmpty());
  EXPECT_EQ(form_.cbOutputDevices.itemIndex, 1);
  EXPECT_EQ(Wire()[0], "C0 4E");
  EXPECT_EQ(Wire()[1], "C0 49");
  EXPECT_EQ(platform_->Sent()[0].port, 1u);
  EXPECT_EQ(form_.windowHeight, kDesignWindowHeight);
  EXPECT_FALSE(form_.pnlPresets.visible);
  EXPECT_EQ(form_.cbAmpli2.Text(), "Line6 Clean");
  EXPECT_EQ(form_.tbDRIVE2.Position(), 100);
}

TEST_F(MainWindowLifeTest, FailedWriteAtShutdownKeepsTheWindowOpenAndClosingAgainStartsOver) {
  StartUp();
  const std::string before = Config();
  std::filesystem::remove(context_.folders.DefaultPresetFile());
  std::filesystem::create_directory(context_.folders.DefaultPresetFile());
  form_.cbOutputDevices.itemIndex = 1;
  EXPECT_FALSE(Close());
  ASSERT_EQ(view_.errors.size(), 1u);
  EXPECT_EQ(view_.errors[0],
            "Impossible d'écrire dans " + context_.folders.DefaultPresetFile().string() + ".");
  EXPECT_EQ(Config(), before);  // the settings were not written after the failed preset
  std::filesystem::remove(context_.folders.DefaultPresetFile());
  EXPECT_TRUE(Close());
  EXPECT_NE(Config().find("Out=1"), std::string::npos);
}

TEST_F(MainWindowLifeTest, UnwritableProgramFolderShowsEachFailedWriteAndStillComesUp) {
  // A folder under a plain file cannot be written, whoever runs the test.
  std::ofstream(root_ / "plain") << "x";
  context_.folders.files = root_ / "plain" / "velmora";
  StartUp();
  const std::string preset = context_.folders.DefaultPresetFile().string();
  const std::string config = context_.folders.ConfigFile().string();
  EXPECT_THAT(view_.errors, ElementsAre("Impossible d'écrire dans " + preset + ".",
                                        "Impossible d'écrire dans " + config + "."));
  EXPECT_EQ(form_.caption, "Velmora 1.01 -  Variax + Vetta II");
  EXPECT_EQ(form_.bttnTraduire.caption, "Translate");
  EXPECT_FALSE(Close());
}

TEST_F(MainWindowLifeTest, OtherLanguageValueKeepsTheDesignCaptionsAndVariaxNoNarrowsTheWindow) {
  std::string config = NewConfigWith("Language=EN", "Language=DE");
  WriteConfig(config.replace(config.find("Show=YES"), 8, "Show=NO"));
  StartUp();
  EXPECT_THAT(view_.errors, IsEmpty());
  EXPECT_EQ(form_.bttnTraduire.caption, "Translate");
  EXPECT_EQ(form_.bttnNouveau.caption, "Nouveau");
  EXPECT_EQ(form_.lblMateriel, "Hardware:");
  EXPECT_EQ(form_.windowWidth, kDesignWindowWidth - kGuitarColumnWidth);
  ASSERT_TRUE(Close());
  EXPECT_NE(Config().find("Language=DE"), std::string::npos);
  EXPECT_NE(Config().find("Show=NO"), std::string::npos);
}

TEST_F(MainWindowLifeTest, OnlyTheFirstActivationAndTheAboutWindowClosingLoadTheDefaultPreset) {
  StartUp();
  ClearWire();
  MainWindowActivated(context_, Activation::FirstShow);
  MainWindowActivated(context_, Activation::Other);
  EXPECT_THAT(platform_->Sent(), IsEmpty());

  // Closing the About window reloads the stored state, not the one on screen.
  form_.tbVOL1.SetPosition(0);
  view_.onAboutShown = [&] {
    EXPECT_EQ(form_.about.lblNomLogiciel, "Velmora");
    EXPECT_EQ(form_.about.lblVersionLogiciel, "1.01");
    EXPECT_EQ(form_.about.lblMateriel, "Variax + Vetta II Edition");
    EXPECT_EQ(form_.about.lblSiteLine6, "Line 6 official website");
  };
  bttnAProposClick(context_);
  EXPECT_EQ(view_.aboutShows, 1);
  // The first load's 31 messages, and the previous cab of each channel twice, since now
  // there is one.
  EXPECT_EQ(platform_->Sent().size(), 35u);
  EXPECT_EQ(form_.tbVOL1.Position(), 256);

  // Without a port every send's box closes, and each closing activates the window: none of
  // them starts a load.
  form_.cbOutputDevices.itemIndex = -1;
  ClearWire();
  int activations = 0;
  view_.onMessageClosed = [&] {
    ++activations;
    MainWindowActivated(context_, Activation::Other);
  };
  bttnAProposClick(context_);
  EXPECT_EQ(activations, 35);
  EXPECT_EQ(view_.messages.size(), 35u);
}

TEST_F(MainWindowLifeTest, PickingAnotherPortKeepsTheFirstOpenAndSendsToTheNewOne) {
  StartUp();
  ClearWire();
  form_.cbOutputDevices.itemIndex = 1;
  cbOutputDevicesSelect(context_);
  bttnPresetCClick(context_);
  ASSERT_EQ(platform_->Sent().size(), 2u);
  EXPECT_EQ(platform_->Sent()[0].port, 1u);
  EXPECT_NE(GetMidiOutput().HandleOf(0), kNoHandle);
  EXPECT_NE(GetMidiOutput().HandleOf(1), kNoHandle);
}

TEST(ErrorBoxTextTest, AddsAFullStopOnlyAfterACharacterThatSortsAfterThePoint) {
  EXPECT_EQ(ErrorBoxText("'x' n'est pas une valeur entière correcte"),
            "'x' n'est pas une valeur entière correcte.");
  EXPECT_EQ(ErrorBoxText(kOutOfBounds), kOutOfBounds);
  EXPECT_EQ(ErrorBoxText("Fin."), "Fin.");
  EXPECT_EQ(ErrorBoxText("Port 2"), "Port 2.");
  EXPECT_EQ(ErrorBoxText("Port -"), "Port -");
  EXPECT_EQ(ErrorBoxText("Échec é"), "Échec é.");
  EXPECT_EQ(ErrorBoxText(""), "");
}

}  // namespace
}  // namespace velmora

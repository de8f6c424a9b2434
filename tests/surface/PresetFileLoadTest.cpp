#include <gmock/gmock.h>

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "SurfaceFixture.h"
#include "midi/Midi.h"
#include "profile/IntegerText.h"
#include "surface/editing/AmpChannel.h"
#include "surface/editing/Synchronise.h"
#include "surface/files/PresetFile.h"
#include "surface/files/PresetFileCommands.h"

namespace velmora {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using namespace std::string_literals;

constexpr const char* kGuitar2 = "F0 00 01 0C 03 07 0D 02 00 00 00 00 09 F7 00";
constexpr const char* k1x10OnAmp1 = "F0 00 01 0C 03 07 0D 00 00 00 00 00 03 F7";
constexpr const char* kSuperOOnAmp1 = "F0 00 01 0C 03 07 0D 00 00 00 00 00 01 F7";
constexpr const char* kSuperOOnAmp2 = "F0 00 01 0C 03 07 0D 00 02 00 00 00 01 F7 00";

constexpr const char* kFullPreset =
    "[AMP1]\r\nPower=ON\r\nAmp=Line6 Clean\r\nCab=1x10\r\nDRIVE1=4\r\nBASS1=8\r\nMID1=12\r\n"
    "TREB1=16\r\nPRES1=20\r\nVOL1=24\r\n"
    "[AMP2]\r\nPower=ON\r\nAmp='67 Fn Black Dual Show\r\nCab=1x6 Super O\r\nDRIVE2=400\r\n"
    "BASS2=404\r\nMID2=408\r\nTREB2=412\r\nPRES2=416\r\nVOL2=420\r\n"
    "[Variax]\r\nGuitar=2 Telecaster modified\r\n";

void Append(std::vector<std::string>& to, const std::vector<std::string>& more) {
  to.insert(to.end(), more.begin(), more.end());
}

std::vector<std::string> KnobsAt(const char* prefixes[6], const char* value) {
  std::vector<std::string> sends;
  for (int i = 0; i < 6; ++i) {
    sends.push_back(std::string(prefixes[i]) + value);
  }
  return sends;
}

const char* kPrefixes1[6] = {"B0 0D ", "B0 0E ", "B0 0F ", "B0 10 ", "B0 15 ", "B0 11 "};
const char* kPrefixes2[6] = {"B0 5C ", "B0 5D ", "B0 5E ", "B0 5F ", "B0 66 ", "B0 67 "};

// What loading kFullPreset sends into the start-up state (every knob at 0, no cab chosen).
std::vector<std::string> FullPresetFromStartup() {
  std::vector<std::string> wire = {"progress 0", kGuitar2, "pause", "progress 10", "B0 0C 00 00"};
  Append(wire, KnobsAt(kPrefixes1, "00"));
  Append(wire, {"pause", "progress 20", k1x10OnAmp1, k1x10OnAmp1, "pause", "progress 30"});
  Append(wire, {"B0 0D 01", "B0 0E 02", "B0 0F 03", "B0 10 04", "B0 15 05", "B0 11 06"});
  Append(wire, {"pause", "progress 40", "B0 5B 43 00"});
  Append(wire, KnobsAt(kPrefixes2, "00"));
  Append(wire, {"pause", "progress 50", kSuperOOnAmp2, "pause", "progress 60"});
  Append(wire, {"B0 5C 64", "B0 5D 65", "B0 5E 66", "B0 5F 67", "B0 66 68", "B0 67 69"});
  Append(wire, {"pause", "progress 70", "B0 6F 7F", "pause", "progress 80", "B0 70 7F",
                "progress 90", "progress 100", "progress 0", "progress hidden"});
  return wire;
}

// A file in which every key is missing: no model, knobs at 256, both channels off.
std::vector<std::string> EmptyPresetFromStartup() {
  std::vector<std::string> wire = {"progress 0",  "pause", "progress 10", "pause",
                                   "progress 20", "pause", "progress 30"};
  Append(wire, KnobsAt(kPrefixes1, "40"));
  Append(wire, {"pause", "progress 40", "pause", "progress 50", "pause", "progress 60"});
  Append(wire, KnobsAt(kPrefixes2, "40"));
  Append(wire, {"pause", "progress 70", "B0 6F 00", "pause", "progress 80", "B0 70 00",
                "progress 90", "progress 100", "progress 0", "progress hidden"});
  return wire;
}

class PresetFileLoadTest : public SurfaceTest {
 protected:
  std::filesystem::path WritePreset(const std::string& name, const std::string& content) {
    const std::filesystem::path file = root_ / name;
    std::ofstream(file, std::ios::binary) << content;
    return file;
  }

  // Loads a preset whose AMP1 section holds these lines, from the start-up state.
  void LoadAmp1Lines(const std::string& lines) {
    LoadPresetFromFile(context_, WritePreset("amp1.vmp", "[AMP1]\r\n" + lines));
  }

  // The channel 1 knob messages of the last load.
  std::vector<std::string> Amp1KnobSends() {
    const std::vector<std::string> wire = Wire();
    return {wire.begin() + 7, wire.begin() + 13};
  }

  void ExpectChannelOff(Channel channel) {
    EXPECT_EQ(form_.PowerButton(channel).caption, "OFF");
    EXPECT_EQ(form_.PowerButton(channel).look, ColorScheme::csNeoSilver);
    EXPECT_FALSE(form_.ScreenPanel(channel).enabled);
    EXPECT_FALSE(form_.AmpSelector(channel).enabled);
    EXPECT_FALSE(form_.CabSelector(channel).enabled);
  }
};

TEST_F(PresetFileLoadTest, FullPresetIsAppliedAndSentGroupByGroup) {
  LoadPresetFromFile(context_, WritePreset("full.vmp", kFullPreset));
  EXPECT_THAT(Wire(), ElementsAreArray(FullPresetFromStartup()));
  EXPECT_EQ(view_.stepDelays, 8);
  EXPECT_EQ(form_.cbGuitares.Text(), "2 Telecaster modified");
  EXPECT_EQ(form_.lblGuitareModele, "Telecaster modified");
  EXPECT_EQ(form_.lblAmpliAMP1, "Line6 Clean");
  EXPECT_EQ(form_.lblEnceinteAMP1, "1x10 Gibson Explorer GA-18 (1960)");
  EXPECT_EQ(form_.lblAmpliAMP2, "Fender Dual Showman head (1967)");
  EXPECT_EQ(form_.lblEnceinteAMP2, "1x6x9 Supro S6616 années ('60)");
  EXPECT_EQ(form_.tbPRES1.Position(), 20);
  EXPECT_EQ(form_.tbVOL2.Position(), 420);
  for (Channel channel : {Channel::Amp1, Channel::Amp2}) {
    EXPECT_EQ(form_.PowerButton(channel).caption, "ON");
    EXPECT_EQ(form_.PowerButton(channel).look, ColorScheme::csNeoDesert);
    EXPECT_TRUE(form_.ScreenPanel(channel).enabled);
    EXPECT_TRUE(form_.AmpSelector(channel).enabled);
    EXPECT_TRUE(form_.CabSelector(channel).enabled);
  }
  EXPECT_FALSE(form_.pbTraitementFichier.visible);
}

TEST_F(PresetFileLoadTest, LoadAfterLoadFirstResendsThePreviousCabTwice) {
  LoadPresetFromFile(context_, WritePreset("full.vmp", kFullPreset));
  ClearWire();
  LoadPresetFromFile(context_, WritePreset("second.vmp",
                                           "[AMP1]\r\nAmp=Bypass (no amp)\r\nCab=1x6 Super O\r\n"
                                           "[AMP2]\r\nAmp=Line6 Clean\r\nCab=1x10\r\n"));
  // Each amp group re-sends the knobs and the cab of the first load, the cab twice after
  // a pause; the groups after it send what the second file holds.
  std::vector<std::string> expected = {"progress 0", "pause", "progress 10", "B0 0C 31 00"};
  Append(expected, {"B0 0D 01", "B0 0E 02", "B0 0F 03", "B0 10 04", "B0 15 05", "B0 11 06"});
  Append(expected, {"pause", k1x10OnAmp1, k1x10OnAmp1, "pause", "progress 20", kSuperOOnAmp1,
                    kSuperOOnAmp1, "pause", "progress 30"});
  Append(expected, KnobsAt(kPrefixes1, "40"));
  Append(expected, {"pause", "progress 40", "B0 5B 00 00"});
  Append(expected, {"B0 5C 64", "B0 5D 65", "B0 5E 66", "B0 5F 67", "B0 66 68", "B0 67 69"});
  Append(expected, {"pause", kSuperOOnAmp2, kSuperOOnAmp2, "pause", "progress 50",
                    "F0 00 01 0C 03 07 0D 00 02 00 00 00 03 F7 00", "pause", "progress 60"});
  Append(expected, KnobsAt(kPrefixes2, "40"));
  Append(expected, {"pause", "progress 70", "B0 6F 00", "pause", "progress 80", "B0 70 00",
                    "progress 90", "progress 100", "progress 0", "progress hidden"});
  EXPECT_THAT(Wire(), ElementsAreArray(expected));
  // The guitar is named nowhere: nothing is sent for it and its selector is emptied, but
  // its labels stay.
  EXPECT_EQ(form_.cbGuitares.itemIndex, -1);
  EXPECT_EQ(form_.lblGuitareModele, "Telecaster modified");
  EXPECT_EQ(form_.lblEnceinteAMP2, "1x10 Gibson Explorer GA-18 (1960)");
  EXPECT_EQ(view_.stepDelays, 10);
}

TEST_F(PresetFileLoadTest, MissingFileLoadsEveryKeyAsMissing) {
  LoadPresetFromFile(context_, root_ / "absent.vmp");
  EXPECT_THAT(Wire(), ElementsAreArray(EmptyPresetFromStartup()));
  for (const ComboBox* selector : {&form_.cbGuitares, &form_.cbAmpli1, &form_.cbEnceintes1,
                                   &form_.cbAmpli2, &form_.cbEnceintes2}) {
    EXPECT_EQ(selector->itemIndex, -1);
  }
  for (Knob knob : kAllKnobs) {
    EXPECT_EQ(form_.ValueHolder(knob).Position(), 256);
  }
  ExpectChannelOff(Channel::Amp1);
  ExpectChannelOff(Channel::Amp2);
  EXPECT_FALSE(std::filesystem::exists(root_ / "absent.vmp"));
}

// A file named to the editor loads as the one chosen with Open; one that Open could not have
// chosen is refused with its full path before anything goes out.
TEST_F(PresetFileLoadTest, GivenFileLoadsAsOpenAndAMissingOneIsRefused) {
  OpenGivenFile(context_, WritePreset("given.vmp", kFullPreset));
  EXPECT_THAT(Wire(), ElementsAreArray(FullPresetFromStartup()));
  ClearWire();
  std::filesystem::create_directory(root_ / "folder.vmp");
  for (const char* name : {"absent.vmp", "folder.vmp"}) {
    try {
      OpenGivenFile(context_, root_ / name);
      ADD_FAILURE() << name << " was loaded";
    } catch (const std::runtime_error& error) {
      EXPECT_EQ(std::string(error.what()), "Impossible de lire " + (root_ / name).string());
    }
  }
  EXPECT_THAT(Wire(), IsEmpty());
  EXPECT_EQ(form_.lblAmpliAMP1, "Line6 Clean");
}

TEST_F(PresetFileLoadTest, PowerIsOnOnlyForExactlyUpperCaseOn) {
  LoadPresetFromFile(context_,
                     WritePreset("p.vmp", "[amp1]\r\npower = \"ON\" \r\n[AMP2]\r\nPower=on\r\n"));
  EXPECT_EQ(form_.bttnOnOffAMP1.caption, "ON");
  EXPECT_TRUE(form_.pnlEcranAMP1.enabled);
  ExpectChannelOff(Channel::Amp2);
  const std::vector<std::string> wire = Wire();
  EXPECT_EQ(wire[wire.size() - 8], "B0 6F 7F");
  EXPECT_EQ(wire[wire.size() - 5], "B0 70 00");
}

TEST_F(PresetFileLoadTest, ALoadMayLeaveBothChannelsOff) {
  form_.bttnOnOffAMP1.caption = "ON";
  form_.bttnOnOffAMP2.caption = "ON";
  LoadPresetFromFile(context_, WritePreset("p.vmp", "[AMP1]\r\nPower=OFF\r\n"));
  ExpectChannelOff(Channel::Amp1);
  ExpectChannelOff(Channel::Amp2);
}

TEST_F(PresetFileLoadTest, KnobValuesAreClampedAndEmptyMeansTheMiddle) {
  LoadAmp1Lines(
      "DRIVE1=600\r\nBASS1=-20\r\nMID1=\r\nTREB1=257\r\nPRES1=2147483647\r\nVOL1= 7 \r\n");
  EXPECT_THAT(Amp1KnobSends(),
              ElementsAre("B0 0D 7F", "B0 0E 00", "B0 0F 40", "B0 10 40", "B0 15 7F", "B0 11 01"));
  EXPECT_EQ(form_.tbDRIVE1.Position(), 508);
  EXPECT_EQ(form_.tbBASS1.Position(), 0);
  EXPECT_EQ(form_.tbMID1.Position(), 256);
  EXPECT_EQ(form_.tbTREB1.Position(), 257);
  EXPECT_EQ(form_.tbVOL1.Position(), 7);
}

TEST_F(PresetFileLoadTest, KnobValueThatIsNoWholeNumberStopsTheLoadThere) {
  form_.tbMID1.SetPosition(100);
  form_.tbTREB1.SetPosition(300);
  form_.bttnOnOffAMP1.caption = "ON";
  try {
    LoadAmp1Lines("Amp=Line6 Clean\r\nDRIVE1=12\r\nBASS1=16\r\nMID1=1O0\r\nTREB1=40\r\n");
    FAIL() << "no error";
  } catch (const ConversionError& error) {
    EXPECT_STREQ(error.what(), "'1O0' n'est pas une valeur entière correcte");
  }
  std::vector<std::string> expected = {
      "progress 0", "pause",       "progress 10", "B0 0C 00 00", "B0 0D 00",       "B0 0E 00",
      "B0 0F 19",   "B0 10 4B",    "B0 15 00",    "B0 11 00",    "pause",          "progress 20",
      "pause",      "progress 30", "B0 0D 03",    "B0 0E 04",    "progress hidden"};
  EXPECT_THAT(Wire(), ElementsAreArray(expected));
  // Done before the error stays; the rest is not carried out.
  EXPECT_EQ(form_.cbAmpli1.Text(), "Line6 Clean");
  EXPECT_EQ(form_.tbBASS1.Position(), 16);
  EXPECT_EQ(form_.tbMID1.Position(), 100);
  EXPECT_EQ(form_.tbTREB1.Position(), 300);
  EXPECT_EQ(form_.bttnOnOffAMP1.caption, "ON");
  EXPECT_EQ(form_.LastDrawnKnobValue, 100);
  EXPECT_FALSE(form_.pbTraitementFichier.visible);
}

TEST_F(PresetFileLoadTest, HugeOrLongKnobValuesAreConversionErrorsNotCrashes) {
  EXPECT_THROW(LoadAmp1Lines("DRIVE1=99999999999\r\n"), ConversionError);
  EXPECT_EQ(form_.tbDRIVE1.Position(), 0);
  try {
    LoadAmp1Lines("DRIVE1=" + std::string(5000, '7') + "\r\n");
    FAIL() << "no error";
  } catch (const ConversionError& error) {
    // The profile reader hands back at most 2047 characters.
    EXPECT_EQ(std::string(error.what()),
              "'" + std::string(2047, '7') + "' n'est pas une valeur entière correcte");
  }
}

TEST_F(PresetFileLoadTest, ModelNamesAreFoundWhateverTheirLetterCase) {
  LoadPresetFromFile(context_, WritePreset("p.vmp",
                                           "[AMP1]\r\nAmp=bypass (NO AMP)\r\nCab=1X10\r\n[AMP2]\r\n"
                                           "Amp='61 class a c-15\r\nCab=\"1x6 super o\"\r\n"
                                           "[VARIAX]\r\nguitar=2 TELECASTER MODIFIED\r\n"));
  EXPECT_EQ(form_.cbAmpli1.Text(), "Bypass (no amp)");
  EXPECT_EQ(form_.cbEnceintes1.Text(), "1x10");
  EXPECT_EQ(form_.cbAmpli2.Text(), "'61 Class A C-15");
  EXPECT_EQ(form_.cbEnceintes2.Text(), "1x6 Super O");
  EXPECT_EQ(form_.cbGuitares.Text(), "2 Telecaster modified");
  const std::vector<std::string> wire = Wire();
  EXPECT_EQ(wire[1], kGuitar2);
  EXPECT_EQ(wire[4], "B0 0C 31 00");
}

TEST_F(PresetFileLoadTest, UnknownNamesLeaveNoSelectionSendNothingAndKeepTheLabels) {
  LoadPresetFromFile(context_, WritePreset("full.vmp", kFullPreset));
  ClearWire();
  LoadPresetFromFile(context_, WritePreset("p.vmp",
                                           "[AMP1]\r\nAmp=Line6 Clean 2\r\nCab=1x11\r\n"
                                           "[Variax]\r\nGuitar=51 Telecaster\r\n"));
  EXPECT_EQ(form_.cbAmpli1.itemIndex, -1);
  EXPECT_EQ(form_.cbEnceintes1.itemIndex, -1);
  EXPECT_EQ(form_.cbGuitares.itemIndex, -1);
  EXPECT_EQ(form_.lblAmpliAMP1, "Line6 Clean");
  EXPECT_EQ(form_.lblEnceinteAMP1, "1x10 Gibson Explorer GA-18 (1960)");
  const std::vector<std::string> wire = Wire();
  EXPECT_THAT(std::vector<std::string>(wire.begin(), wire.begin() + 7),
              ElementsAre("progress 0", "pause", "progress 10", "pause", "progress 20", "pause",
                          "progress 30"));
}

TEST_F(PresetFileLoadTest, BinaryOrMalformedFilesLoadWithoutCrashing) {
  std::string binary;
  for (int i = 0; i < 4096; ++i) {
    binary += static_cast<char>((i * 37 + 11) % 256);
  }
  LoadPresetFromFile(context_, WritePreset("binary.vmp", binary));
  EXPECT_THAT(Wire(), ElementsAreArray(EmptyPresetFromStartup()));
  ClearWire();
  // An unclosed section line, a key line without "=", a key without a name, NULs inside
  // values and a last line of 100 000 characters without a line end.
  const std::string odd =
      "[AMP1\r\nPower=ON\r\n[AMP1]\rAmp\r\n=x\nCab=\0001x10\r\nDRIVE1=8\0\r\n[]\r\n"s +
      std::string(100000, 'A');
  LoadPresetFromFile(context_, WritePreset("odd.vmp", odd));
  EXPECT_EQ(form_.cbEnceintes1.itemIndex, -1);
  EXPECT_EQ(form_.tbDRIVE1.Position(), 8);
  EXPECT_EQ(form_.bttnOnOffAMP1.caption, "OFF");
}

TEST_F(PresetFileLoadTest, WithoutPortEverySendShowsTheBoxAndTheLoadGoesOn) {
  form_.cbOutputDevices.itemIndex = -1;
  LoadPresetFromFile(context_, WritePreset("full.vmp", kFullPreset));
  EXPECT_EQ(view_.messages.size(), 32u);
  EXPECT_THAT(platform_->Sent(), IsEmpty());
  EXPECT_EQ(form_.bttnOnOffAMP2.caption, "ON");
  EXPECT_EQ(form_.tbVOL2.Position(), 420);
}

TEST_F(PresetFileLoadTest, DeviceErrorStopsTheLoadAtThatSend) {
  platform_->FailNext("OutputLong", kMidiInvalidHandle);
  EXPECT_THROW(LoadPresetFromFile(context_, WritePreset("full.vmp", kFullPreset)), MidiError);
  EXPECT_THAT(Wire(), ElementsAre("progress 0", "progress hidden"));
  // The guitar was selected before its send failed; nothing after it ran.
  EXPECT_EQ(form_.cbGuitares.Text(), "2 Telecaster modified");
  EXPECT_EQ(form_.cbAmpli1.itemIndex, -1);
  EXPECT_EQ(view_.stepDelays, 0);
}

// The power group sets the caption and look, sends, then enables the channel's controls:
// a send that fails leaves the first done and the last undone.
TEST_F(PresetFileLoadTest, DeviceErrorAtAPowerSendKeepsTheLoadedStateBeforeIt) {
  SetChannelControlsEnabled(form_, Channel::Amp1, false);
  // The seventh pause ends the second channel's knobs: the first power send fails.
  view_.onPause = [this](int pauses) {
    if (pauses == 7) {
      platform_->FailNext("OutputLong", kMidiInvalidHandle);
    }
  };
  EXPECT_THROW(LoadPresetFromFile(context_, WritePreset("full.vmp", kFullPreset)), MidiError);
  std::vector<std::string> expected = FullPresetFromStartup();
  expected.resize(expected.size() - 8);
  expected.push_back("progress hidden");
  EXPECT_THAT(Wire(), ElementsAreArray(expected));
  EXPECT_EQ(form_.tbVOL2.Position(), 420);
  EXPECT_EQ(form_.bttnOnOffAMP1.caption, "ON");
  EXPECT_EQ(form_.bttnOnOffAMP1.look, ColorScheme::csNeoDesert);
  EXPECT_FALSE(form_.pnlEcranAMP1.enabled);
  EXPECT_FALSE(form_.cbAmpli1.enabled);
  EXPECT_EQ(form_.bttnOnOffAMP2.caption, "OFF");
}

TEST_F(PresetFileLoadTest, OpenLoadsTheChosenFileAndCancelLoadsTheDefaultFile) {
  WritePreset("defaut.vmp", "[AMP1]\r\nPower=ON\r\n");
  view_.openAnswer = WritePreset("chosen.vmp", "[AMP2]\r\nPower=ON\r\n");
  bttnOuvrirClick(context_);
  EXPECT_EQ(form_.bttnOnOffAMP2.caption, "ON");
  EXPECT_EQ(form_.bttnOnOffAMP1.caption, "OFF");
  view_.openAnswer.reset();
  LoadPresetFile(context_, "OUVRIR");
  EXPECT_EQ(form_.bttnOnOffAMP1.caption, "ON");
  EXPECT_EQ(form_.bttnOnOffAMP2.caption, "OFF");
  EXPECT_EQ(view_.openDialogs, 2);
}

TEST_F(PresetFileLoadTest, OpenAcceptsAFileThatDoesNotExist) {
  view_.openAnswer = root_ / "typed name.vmp";
  LoadPresetFile(context_, "OUVRIR");
  EXPECT_THAT(Wire(), ElementsAreArray(EmptyPresetFromStartup()));
}

TEST_F(PresetFileLoadTest, NewLoadsTheEmptyPresetFileOrNothingWhenItIsMissing) {
  bttnNouveauClick(context_);
  EXPECT_THAT(Wire(), ElementsAreArray(EmptyPresetFromStartup()));
  ClearWire();
  WritePreset("vide.vmp", "[AMP1]\r\nPower=ON\r\nDRIVE1=0\r\n");
  LoadPresetFile(context_, "NOUVEAU");
  EXPECT_EQ(form_.bttnOnOffAMP1.caption, "ON");
  EXPECT_EQ(form_.tbDRIVE1.Position(), 0);
  EXPECT_EQ(view_.openDialogs, 0);
}

TEST_F(PresetFileLoadTest, ActivationLoadsTheDefaultFileWhenItExistsElseTheEmptyOne) {
  EXPECT_EQ(ActivationLoadMode(context_.folders), "NOUVEAU");
  WritePreset("vide.vmp", "[AMP2]\r\nPower=ON\r\n");
  FormActivate(context_);
  EXPECT_EQ(form_.bttnOnOffAMP2.caption, "ON");
  CreateDefaultPresetFile(context_.folders);
  EXPECT_EQ(ActivationLoadMode(context_.folders), "DEFAUT");
  FormActivate(context_);
  EXPECT_EQ(form_.bttnOnOffAMP1.caption, "ON");
  EXPECT_EQ(form_.bttnOnOffAMP2.caption, "OFF");
  EXPECT_EQ(form_.cbAmpli1.Text(), "Bypass (no amp)");
  EXPECT_EQ(form_.cbEnceintes2.Text(), "Bypass (no cab)");
  EXPECT_EQ(form_.tbVOL2.Position(), 256);
}

// Closing a box gives the window the focus back; activation then must not start a load
// inside the load or the synchronise, else each of its boxes would start another.
TEST_F(PresetFileLoadTest, ActivationWhileALoadOrASynchroniseRunsLoadsNothing) {
  WritePreset("defaut.vmp", kFullPreset);
  form_.cbOutputDevices.itemIndex = -1;
  int activations = 0;
  view_.onMessageClosed = [&] {
    ++activations;
    FormActivate(context_);
  };
  FormActivate(context_);
  EXPECT_EQ(activations, 32);
  EXPECT_EQ(view_.messages.size(), 32u);
  EXPECT_EQ(view_.stepDelays, 8);
  Synchronise(context_);
  EXPECT_EQ(view_.messages.size(), 32u + 36u);
  EXPECT_EQ(view_.stepDelays, 8 + 10);
  // An error ends the run; activation works again afterwards.
  view_.onMessageClosed = nullptr;
  EXPECT_THROW(LoadAmp1Lines("DRIVE1=x\r\n"), ConversionError);
  form_.tbDRIVE1.SetPosition(100);
  FormActivate(context_);
  EXPECT_EQ(form_.tbDRIVE1.Position(), 4);
}

TEST_F(PresetFileLoadTest, AModeWordThatIsNoneOfTheThreeLoadsNothing) {
  WritePreset("defaut.vmp", "[AMP1]\r\nPower=ON\r\n");
  LoadPresetFile(context_, "defaut");
  LoadPresetFile(context_, "");
  EXPECT_THAT(Wire(), IsEmpty());
  EXPECT_EQ(view_.openDialogs, 0);
  EXPECT_TRUE(form_.pbTraitementFichier.visible);
}

TEST_F(PresetFileLoadTest, APictureErrorStopsTheLoadAfterTheGuitarIsSent) {
  std::filesystem::remove(PicturePath("humbucker.jpg"));
  EXPECT_THROW(
      LoadPresetFromFile(context_, WritePreset("p.vmp", "[Variax]\r\nGuitar=4 Corvane Custom\r\n")),
      std::runtime_error);
  const std::vector<std::string> wire = Wire();
  ASSERT_EQ(wire.size(), 3u);
  EXPECT_EQ(wire.back(), "progress hidden");
}

}  // namespace
}  // namespace velmora

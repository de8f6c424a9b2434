#include <gmock/gmock.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "SurfaceFixture.h"
#include "TemporaryFolder.h"
#include "profile/Profile.h"
#include "surface/files/PresetFile.h"
#include "surface/files/PresetFileCommands.h"

namespace velmora {
namespace {

using ::testing::IsEmpty;

constexpr const char* kDefaultContent =
    "[AMP1]\r\nPower=ON\r\nAmp=Bypass (no amp)\r\nCab=Bypass (no cab)\r\nDRIVE1=256\r\n"
    "BASS1=256\r\nMID1=256\r\nTREB1=256\r\nPRES1=256\r\nVOL1=256\r\n"
    "[AMP2]\r\nPower=OFF\r\nAmp=Bypass (no amp)\r\nCab=Bypass (no cab)\r\nDRIVE2=256\r\n"
    "BASS2=256\r\nMID2=256\r\nTREB2=256\r\nPRES2=256\r\nVOL2=256\r\n"
    "[Variax]\r\nGuitar=\r\n";

void WriteAll(const std::filesystem::path& file, const std::string& content) {
  std::ofstream(file, std::ios::binary) << content;
}

class PresetFileWriteTest : public SurfaceTest {
 protected:
  // A state in which every key has a value of its own.
  void ChooseState() {
    Select(form_.cbAmpli1, "'61 Class A C-15");
    Select(form_.cbEnceintes1, "1x10");
    Select(form_.cbAmpli2, "Line6 Clean");
    Select(form_.cbEnceintes2, "1x6 Super O");
    Select(form_.cbGuitares, "2 Telecaster modified");
    int value = 1;
    for (Knob knob : kAllKnobs) {
      form_.ValueHolder(knob).SetPosition(value);
      value += 41;
    }
  }

  std::filesystem::path File(const std::string& name) const { return root_ / name; }
};

constexpr const char* kChosenState =
    "[AMP1]\r\nPower=OFF\r\nAmp='61 Class A C-15\r\nCab=1x10\r\nDRIVE1=1\r\nBASS1=42\r\n"
    "MID1=83\r\nTREB1=124\r\nPRES1=165\r\nVOL1=206\r\n"
    "[AMP2]\r\nPower=ON\r\nAmp=Line6 Clean\r\nCab=1x6 Super O\r\nDRIVE2=247\r\nBASS2=288\r\n"
    "MID2=329\r\nTREB2=370\r\nPRES2=411\r\nVOL2=452\r\n"
    "[Variax]\r\nGuitar=2 Telecaster modified\r\n";

TEST_F(PresetFileWriteTest, DefaultFileHoldsTheDefaultStateInKeyOrder) {
  CreateDefaultPresetFile(context_.folders);
  EXPECT_EQ(ReadAll(File("defaut.vmp")), kDefaultContent);
}

TEST_F(PresetFileWriteTest, NewFileHoldsTheNineteenKeysInTableOrder) {
  ChooseState();
  WritePresetKeys(form_, File("new.vmp"), "OFF", "ON");
  EXPECT_EQ(ReadAll(File("new.vmp")), kChosenState);
}

TEST_F(PresetFileWriteTest, EmptySelectorsAreWrittenAsEmptyValues) {
  WritePresetKeys(form_, File("empty.vmp"), "OFF", "OFF");
  const std::string content = ReadAll(File("empty.vmp"));
  EXPECT_NE(content.find("[AMP1]\r\nPower=OFF\r\nAmp=\r\nCab=\r\nDRIVE1=0\r\n"), std::string::npos);
  EXPECT_NE(content.find("[Variax]\r\nGuitar=\r\n"), std::string::npos);
}

TEST_F(PresetFileWriteTest, SavingOntoAFileKeepsEveryOtherLine) {
  const std::string before =
      "; my rig\r\n[Notes]\r\ntext=keep me\r\n\r\n[amp1]\r\n  power = ON\r\nColour=red\n"
      "Amp=\"Line6 Clean\"\r\n[Variax]\r\nGuitar=1 Telecaster Custom\r\nStrings=10-46\r\n";
  WriteAll(File("rig.vmp"), before);
  ChooseState();
  WritePresetKeys(form_, File("rig.vmp"), "OFF", "ON");
  const std::string after =
      "; my rig\r\n[Notes]\r\ntext=keep me\r\n\r\n[amp1]\r\n  power = OFF\r\nColour=red\n"
      "Amp='61 Class A C-15\r\nCab=1x10\r\nDRIVE1=1\r\nBASS1=42\r\nMID1=83\r\nTREB1=124\r\n"
      "PRES1=165\r\nVOL1=206\r\n[Variax]\r\nGuitar=2 Telecaster modified\r\nStrings=10-46\r\n"
      "[AMP2]\r\nPower=ON\r\nAmp=Line6 Clean\r\nCab=1x6 Super O\r\nDRIVE2=247\r\nBASS2=288\r\n"
      "MID2=329\r\nTREB2=370\r\nPRES2=411\r\nVOL2=452\r\n";
  EXPECT_EQ(ReadAll(File("rig.vmp")), after);
}

// Models are stored by name: every name the selectors offer must come back from the file
// as the same item, through the reader's trimming, unquoting and case-blind lookup.
TEST_F(PresetFileWriteTest, EveryModelNameSelectsTheSameItemWhenReadBack) {
  const std::filesystem::path file = File("names.vmp");
  const std::size_t rounds = std::max({form_.cbAmpli1.items.size(), form_.cbEnceintes1.items.size(),
                                       form_.cbGuitares.items.size()});
  for (std::size_t i = 0; i < rounds; ++i) {
    for (ComboBox* selector : {&form_.cbAmpli1, &form_.cbEnceintes1, &form_.cbAmpli2,
                               &form_.cbEnceintes2, &form_.cbGuitares}) {
      selector->itemIndex = static_cast<int>(i % selector->items.size());
    }
    WritePresetKeys(form_, file, "ON", "ON");
    const FormModel written = form_;
    form_.cbAmpli1.SelectTextIgnoringCase(ReadProfileString(file, "AMP1", "Amp"));
    form_.cbEnceintes1.SelectTextIgnoringCase(ReadProfileString(file, "AMP1", "Cab"));
    form_.cbAmpli2.SelectTextIgnoringCase(ReadProfileString(file, "AMP2", "Amp"));
    form_.cbEnceintes2.SelectTextIgnoringCase(ReadProfileString(file, "AMP2", "Cab"));
    form_.cbGuitares.SelectTextIgnoringCase(ReadProfileString(file, "Variax", "Guitar"));
    EXPECT_EQ(form_.cbAmpli1.itemIndex, written.cbAmpli1.itemIndex) << written.cbAmpli1.Text();
    EXPECT_EQ(form_.cbEnceintes1.itemIndex, written.cbEnceintes1.itemIndex)
        << written.cbEnceintes1.Text();
    EXPECT_EQ(form_.cbAmpli2.itemIndex, written.cbAmpli2.itemIndex) << written.cbAmpli2.Text();
    EXPECT_EQ(form_.cbEnceintes2.itemIndex, written.cbEnceintes2.itemIndex)
        << written.cbEnceintes2.Text();
    EXPECT_EQ(form_.cbGuitares.itemIndex, written.cbGuitares.itemIndex)
        << written.cbGuitares.Text();
  }
}

TEST_F(PresetFileWriteTest, ATargetThatIsAFolderFailsWithItsFullPath) {
  std::filesystem::create_directory(File("folder.vmp"));
  WriteAll(File("folder.vmp") / "inside", "x");
  try {
    WritePresetKeys(form_, File("folder.vmp"), "ON", "OFF");
    FAIL() << "no error";
  } catch (const ProfileWriteError& error) {
    EXPECT_EQ(std::string(error.what()), "Impossible d'écrire dans " + File("folder.vmp").string());
  }
  EXPECT_EQ(ReadAll(File("folder.vmp") / "inside"), "x");
}

TEST_F(PresetFileWriteTest, AParentThatIsARegularFileFailsAndStaysWhole) {
  WriteAll(File("plain"), "not a folder");
  try {
    WritePresetKeys(form_, File("plain") / "p.vmp", "ON", "OFF");
    FAIL() << "no error";
  } catch (const ProfileWriteError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Impossible d'écrire dans " + (File("plain") / "p.vmp").string());
  }
  EXPECT_EQ(ReadAll(File("plain")), "not a folder");
}

// Written key by key, a key refused half-way would leave the first keys new and the rest
// old. The keys go in one replace, so the file stays exactly as it was.
TEST_F(PresetFileWriteTest, AKeyRefusedHalfWayLeavesTheOldFileWhole) {
  WriteAll(File("old.vmp"), kChosenState);
  form_.cbGuitares.items.push_back("9 Line\r\nbreak");
  form_.cbGuitares.itemIndex = static_cast<int>(form_.cbGuitares.items.size()) - 1;
  EXPECT_THROW(WritePresetKeys(form_, File("old.vmp"), "ON", "ON"), ProfileWriteError);
  EXPECT_EQ(ReadAll(File("old.vmp")), kChosenState);
  form_.cbGuitares.items.back() = "9 \xE2\x98\x83 snowman";
  EXPECT_THROW(WritePresetKeys(form_, File("old.vmp"), "ON", "ON"), ProfileWriteError);
  EXPECT_EQ(ReadAll(File("old.vmp")), kChosenState);
}

TEST_F(PresetFileWriteTest, CancelledSaveWritesNothing) {
  bttnEnregistrerClick(context_);
  EXPECT_EQ(view_.saveDialogs, 1);
  for (const auto& entry : std::filesystem::directory_iterator(root_)) {
    EXPECT_NE(entry.path().extension(), ".vmp") << entry.path();
  }
}

TEST_F(PresetFileWriteTest, SaveWritesTheCaptionsAsThePowers) {
  ChooseState();
  form_.bttnOnOffAMP1.caption = "OFF";
  form_.bttnOnOffAMP2.caption = "ON";
  view_.saveAnswer = File("saved.vmp");
  bttnEnregistrerClick(context_);
  EXPECT_EQ(ReadAll(File("saved.vmp")), kChosenState);
}

TEST_F(PresetFileWriteTest, SaveThenOpenReturnsToTheSavedStateAndSendsItAgain) {
  ChooseState();
  form_.bttnOnOffAMP2.caption = "ON";
  view_.saveAnswer = File("round.vmp");
  SavePresetFile(context_, form_.bttnOnOffAMP1.caption, form_.bttnOnOffAMP2.caption);
  const FormModel saved = form_;
  form_ = MakeStartupForm();
  form_.cbOutputDevices = saved.cbOutputDevices;
  view_.openAnswer = File("round.vmp");
  bttnOuvrirClick(context_);
  for (const auto& [now, then] : {std::pair(&form_.cbAmpli1, &saved.cbAmpli1),
                                  std::pair(&form_.cbEnceintes1, &saved.cbEnceintes1),
                                  std::pair(&form_.cbAmpli2, &saved.cbAmpli2),
                                  std::pair(&form_.cbEnceintes2, &saved.cbEnceintes2),
                                  std::pair(&form_.cbGuitares, &saved.cbGuitares)}) {
    EXPECT_EQ(now->itemIndex, then->itemIndex);
  }
  for (Knob knob : kAllKnobs) {
    EXPECT_EQ(form_.ValueHolder(knob).Position(), saved.ValueHolder(knob).Position());
  }
  EXPECT_EQ(form_.bttnOnOffAMP1.caption, "OFF");
  EXPECT_EQ(form_.bttnOnOffAMP2.caption, "ON");
  EXPECT_EQ(platform_->Sent().size(), 32u);
  EXPECT_THAT(view_.messages, IsEmpty());
}

}  // namespace
}  // namespace velmora

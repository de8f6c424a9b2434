#include <gmock/gmock.h>

#include <fstream>
#include <string>
#include <vector>

#include "SurfaceFixture.h"
#include "profile/Profile.h"
#include "surface/files/PresetFile.h"

namespace velmora {
namespace {

using ::testing::IsEmpty;

constexpr const char* kFirst =
    "[AMP1]\r\nPower=ON\r\nAmp=Line6 Clean\r\nCab=1x10\r\nDRIVE1=4\r\nBASS1=8\r\nMID1=12\r\n"
    "TREB1=16\r\nPRES1=20\r\nVOL1=24\r\n"
    "[AMP2]\r\nPower=ON\r\nAmp='67 Fn Black Dual Show\r\nCab=1x6 Super O\r\nDRIVE2=400\r\n"
    "BASS2=404\r\nMID2=408\r\nTREB2=412\r\nPRES2=416\r\nVOL2=420\r\n"
    "[Variax]\r\nGuitar=2 Telecaster modified\r\n";

// Differs from the first in every key.
constexpr const char* kSecond =
    "[AMP1]\r\nPower=OFF\r\nAmp=Bypass (no amp)\r\nCab=1x6 Super O\r\nDRIVE1=100\r\n"
    "BASS1=104\r\nMID1=108\r\nTREB1=112\r\nPRES1=116\r\nVOL1=120\r\n"
    "[AMP2]\r\nPower=OFF\r\nAmp=Line6 Clean\r\nCab=1x10\r\nDRIVE2=200\r\nBASS2=204\r\n"
    "MID2=208\r\nTREB2=212\r\nPRES2=216\r\nVOL2=220\r\n"
    "[Variax]\r\nGuitar=Not a guitar\r\n";

class PresetFileLoadSnapshotTest : public SurfaceTest {
 protected:
  void Write(const std::string& content) { std::ofstream(file_, std::ios::binary) << content; }
  std::filesystem::path file_ = root_ / "preset.vmp";
};

// The file is rewritten at every pause of the load: the load still applies and sends the
// version it started with, exactly as a load of that version alone does.
TEST_F(PresetFileLoadSnapshotTest, AFileReplacedDuringTheLoadGivesTheVersionItStartedWith) {
  Write(kFirst);
  LoadPresetFromFile(context_, file_);
  ClearWire();
  LoadPresetFromFile(context_, file_);
  const std::vector<std::string> alone = Wire();

  ClearWire();
  view_.onPause = [this](int pauses) { Write(pauses % 2 ? kSecond : kFirst); };
  LoadPresetFromFile(context_, file_);
  view_.onPause = nullptr;
  EXPECT_EQ(Wire(), alone);
  EXPECT_EQ(form_.tbDRIVE1.Position(), 4);
  EXPECT_EQ(form_.tbVOL2.Position(), 420);
  EXPECT_EQ(form_.cbAmpli2.Text(), "'67 Fn Black Dual Show");
  EXPECT_EQ(form_.bttnOnOffAMP2.caption, "ON");
}

TEST_F(PresetFileLoadSnapshotTest, AFileOverTheCapIsRefusedBeforeAnythingIsSent) {
  Write(kFirst);
  std::filesystem::resize_file(file_, kMaxProfileFileBytes + 1);
  form_.tbDRIVE1.SetPosition(100);
  try {
    LoadPresetFromFile(context_, file_);
    FAIL() << "no error";
  } catch (const ProfileTooLargeError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Fichier trop volumineux : " + file_.string() + " dépasse 16 Mio (16777216 octets)");
  }
  EXPECT_THAT(Wire(), IsEmpty());
  EXPECT_EQ(view_.stepDelays, 0);
  EXPECT_EQ(form_.tbDRIVE1.Position(), 100);
  EXPECT_EQ(form_.cbAmpli1.itemIndex, -1);
}

}  // namespace
}  // namespace velmora

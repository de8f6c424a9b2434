#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <string>

#include "SurfaceFixture.h"
#include "midi/Midi.h"
#include "surface/editing/PresetBank.h"
#include "surface/editing/RigView.h"
#include "surface/files/PresetFile.h"

namespace velmora {
namespace {

// A load through the engine leaves the chosen port's rig, as the view shows it, holding the
// file's values; the view tells its change lines newest first; a stored preset's recall makes
// the values unknown again; the other port's rig is its own.
TEST_F(SurfaceTest, TheRigViewShowsWhatTheSendsLeftOnTheChosenPort) {
  TapSendsForRigView(form_, GetMidiOutput());
  const std::filesystem::path file = root_ / "rig.vmp";
  std::ofstream(file, std::ios::binary)
      << "[AMP1]\r\nPower=ON\r\nAmp=Line6 Clean\r\nCab=1x10\r\nDRIVE1=4\r\nBASS1=8\r\n"
         "MID1=12\r\nTREB1=16\r\nPRES1=20\r\nVOL1=508\r\n"
         "[AMP2]\r\nPower=OFF\r\nAmp='67 Fn Black Dual Show\r\nCab=1x6 Super O\r\n"
         "DRIVE2=400\r\nBASS2=404\r\nMID2=408\r\nTREB2=412\r\nPRES2=416\r\nVOL2=0\r\n"
         "[Variax]\r\nGuitar=2 Telecaster modified\r\n";
  RefreshRigView(form_);
  const std::string nothing = "—\n—\n—\n—\n—\n—\n—\n—\n—";
  EXPECT_EQ(form_.rig.lblRigAMP1, nothing);
  EXPECT_EQ(form_.rig.lblRigAMP2, nothing);
  EXPECT_EQ(form_.rig.lblRigValeurs, "—\n—\n0");

  LoadPresetFromFile(context_, file);
  RefreshRigView(form_);
  EXPECT_EQ(form_.rig.lblRigPort, form_.cbOutputDevices.items[0]);
  EXPECT_EQ(form_.rig.lblRigAMP1, "Line6 Clean\n1x10\nON\n1\n2\n3\n4\n5\n127");
  EXPECT_EQ(form_.rig.lblRigValeurs, "2 Telecaster modified\n—\n0");
  EXPECT_EQ(form_.rig.lblRigAMP2,
            "'67 Fn Black Dual Show\n1x6 Super O\nOFF\n100\n101\n102\n103\n104\n0");
  // The load's groups, newest first: guitar; per channel amp with the knobs as they stood, cab,
  // the file's knobs; powers. A value sent again unchanged makes no line (AMP2 VOL).
  const std::deque<std::string> load = {
      "AMP2 power: OFF", "AMP1 power: ON",        "AMP2 PRES: 104",
      "AMP2 TREB: 103",  "AMP2 MID: 102",         "AMP2 BASS: 101",
      "AMP2 DRIVE: 100", "AMP2 cab: 1x6 Super O", "AMP2 VOL: 0",
      "AMP2 PRES: 0",    "AMP2 TREB: 0",          "AMP2 MID: 0",
      "AMP2 BASS: 0",    "AMP2 DRIVE: 0",         "AMP2 amp: '67 Fn Black Dual Show",
      "AMP1 VOL: 127",   "AMP1 PRES: 5",          "AMP1 TREB: 4",
      "AMP1 MID: 3",     "AMP1 BASS: 2",          "AMP1 DRIVE: 1",
      "AMP1 cab: 1x10",  "AMP1 VOL: 0",           "AMP1 PRES: 0",
      "AMP1 TREB: 0",    "AMP1 MID: 0",           "AMP1 BASS: 0",
      "AMP1 DRIVE: 0",   "AMP1 amp: Line6 Clean", "guitar: 2 Telecaster modified"};
  EXPECT_EQ(form_.rig.memRigChangements.Lines(), load);

  form_.cbOutputDevices.itemIndex = 1;
  RefreshRigView(form_);
  EXPECT_EQ(form_.rig.lblRigAMP2, nothing);
  EXPECT_TRUE(form_.rig.memRigChangements.Lines().empty());

  form_.cbOutputDevices.itemIndex = 0;
  form_.lblPresetBanque = "USER";
  SelectPreset(context_, "4C");
  RefreshRigView(form_);
  EXPECT_EQ(form_.rig.lblRigAMP2, nothing);
  EXPECT_EQ(form_.rig.lblRigAMP1, nothing);
  EXPECT_EQ(form_.rig.lblRigValeurs, "—\nUSER 4C\n0");
  EXPECT_EQ(form_.rig.memRigChangements.Lines().front(),
            "preset: USER 4C (stored preset: amp and guitar settings unknown)");
}

}  // namespace
}  // namespace velmora

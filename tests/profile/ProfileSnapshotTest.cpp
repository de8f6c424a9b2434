#include <gtest/gtest.h>

#include "profile/Profile.h"
#include "profile/ScratchFolder.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::ScratchFolder;
using testing::WriteBytes;

// Every rule of a single read at once: a byte order mark, all three line ends, blanks,
// quotes, letter case (accented too), duplicate sections and keys, comments, a header
// without "]", a NUL, an over-long value and a last line without a line end.
const std::string kTricky =
    "\xEF\xBB\xBF[ amp1 ]\r\n  Amp =  '61 Class A C-15  \nCab=\"  padded  \"\rQuoted='x'\r\n"
    "LoneQuote=\"\r\n;Power=commented\r\nDRIVE1 = 300\r\ndrive1=400\r\nEquation=a=b\r\n"
    "[Broken\r\nInside=still AMP1\r\n[AMP1]\r\nPower=ON\r\n[Caf\xE9]\r\nMOD\xC8LE=\x80\r\n"
    "nul=ab" +
    std::string(1, '\0') + "cd\r\nlong=" + std::string(3000, 'v') + "\r\n[]\r\n=empty name\r\n" +
    "[Variax]\r\nGuitar=1 Telecaster Custom";

struct Lookup {
  const char* section;
  const char* key;
};

constexpr Lookup kLookups[] = {
    {"AMP1", "Amp"},        {" Amp1 ", " AMP "},     {"AMP1", "Cab"},
    {"AMP1", "Quoted"},     {"AMP1", "LoneQuote"},   {"AMP1", "Power"},
    {"AMP1", ";Power"},     {"AMP1", "DRIVE1"},      {"AMP1", "Equation"},
    {"AMP1", "Inside"},     {"Broken", "Inside"},    {"caf\xC3\xA9", "mod\xC3\xA8le"},
    {"CAF\xC3\x89", "nul"}, {"Caf\xC3\xA9", "long"}, {"", ""},
    {"Variax", "guitar"},   {"AMP2", "Amp"},         {"AMP1", "\xE6\x97\xA5"},
};

TEST(ProfileSnapshot, EveryReadGivesWhatASingleReadGives) {
  ScratchFolder folder;
  const fs::path file = folder / "tricky.vmp";
  WriteBytes(file, kTricky);
  const ProfileSnapshot snapshot(file);
  for (const Lookup& lookup : kLookups) {
    EXPECT_EQ(snapshot.Read(lookup.section, lookup.key),
              ReadProfileString(file, lookup.section, lookup.key))
        << "[" << lookup.section << "] " << lookup.key;
  }
  EXPECT_EQ(snapshot.Read("AMP1", "Amp"), "'61 Class A C-15");
  EXPECT_EQ(snapshot.Read("AMP1", "DRIVE1"), "300");
  EXPECT_EQ(snapshot.Read("AMP1", "Power"), "");
  EXPECT_EQ(snapshot.Read("Caf\xC3\xA9", "long"), std::string(2047, 'v'));
  EXPECT_EQ(snapshot.Read("caf\xC3\xA9", "nul"), "ab");
  EXPECT_EQ(snapshot.Read("Variax", "Guitar"), "1 Telecaster Custom");
}

TEST(ProfileSnapshot, KeepsWhatTheFileHeldWhenItWasRead) {
  ScratchFolder folder;
  const fs::path file = folder / "preset.vmp";
  WriteBytes(file, "[AMP1]\r\nPower=ON\r\nAmp=Line6 Clean\r\n");
  const ProfileSnapshot snapshot(file);
  WriteBytes(file, "[AMP1]\r\nPower=OFF\r\nAmp=Bypass (no amp)\r\n");
  EXPECT_EQ(snapshot.Read("AMP1", "Power"), "ON");
  EXPECT_EQ(snapshot.Read("AMP1", "Amp"), "Line6 Clean");
  fs::remove(file);
  EXPECT_EQ(snapshot.Read("AMP1", "Amp"), "Line6 Clean");
  // A missing file, or a folder, reads as a file without keys.
  EXPECT_EQ(ProfileSnapshot(file).Read("AMP1", "Power"), "");
  EXPECT_EQ(ProfileSnapshot(folder.path()).Read("AMP1", "Power"), "");
}

TEST(ProfileSnapshot, AFileOverSixteenMebibytesIsRefusedByName) {
  ScratchFolder folder;
  const fs::path file = folder / "big.vmp";
  // The rest of the file is NULs, in the value of the last key.
  WriteBytes(file, "[AMP1]\r\nPower=ON\r\nAmp=");
  fs::resize_file(file, 16 * 1024 * 1024);
  EXPECT_EQ(ProfileSnapshot(file).Read("AMP1", "Power"), "ON");
  fs::resize_file(file, 16 * 1024 * 1024 + 1);
  try {
    ProfileSnapshot refused(file);
    FAIL() << "no error";
  } catch (const ProfileTooLargeError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Fichier trop volumineux : " + file.string() + " dépasse 16 Mio (16777216 octets)");
  }
  // A single read of a settings file keeps reading it whole.
  EXPECT_EQ(ReadProfileString(file, "AMP1", "Power"), "ON");
}

}  // namespace
}  // namespace velmora

#include <gtest/gtest.h>

#include "profile/Profile.h"
#include "profile/ScratchFolder.h"

namespace velmora {
namespace {

using testing::ReadBytes;
using testing::ScratchFolder;
using testing::WriteBytes;

// Quotes, letter case, blanks, duplicates and comments in one file.
constexpr char kMixed[] =
    "Orphan=before any section\r\n"
    "; Amp=a comment is no key\r\n"
    "\r\n"
    "  [ amp1 ]  \r\n"
    "  Amp =  '61 Class A C-15  \r\n"
    "Cab=\"  padded  \"\r\n"
    "Quoted='x'\r\n"
    "Mismatched=\"x'\r\n"
    "LoneQuote=\"\r\n"
    "EmptyQuotes=''\r\n"
    "Empty=\r\n"
    "NoEqualsSign\r\n"
    "   ;DRIVE1=9\r\n"
    "DRIVE1 = 300\r\n"
    "drive1=400\r\n"
    "Equation=a=b\r\n"
    "[Broken\r\n"
    "Inside=still AMP1\r\n"
    "[AMP1]\r\n"
    "Power=ON\r\n"
    "[Variax]\r\n"
    "Guitar=1 Telecaster Custom";

class ProfileRead : public ::testing::Test {
 protected:
  void SetUp() override { WriteBytes(file_, kMixed); }
  std::string Read(std::string_view section, std::string_view key) {
    return ReadProfileString(file_, section, key);
  }
  ScratchFolder folder_;
  std::filesystem::path file_ = folder_ / "mixed.vmp";
};

TEST_F(ProfileRead, NamesIgnoreCaseAndBlanksValuesLoseBlanksAndOnePairOfQuotes) {
  EXPECT_EQ(Read("AMP1", "Amp"), "'61 Class A C-15");
  EXPECT_EQ(Read("Amp1", "AMP"), "'61 Class A C-15");
  EXPECT_EQ(Read(" AMP1 ", " Amp "), "'61 Class A C-15");
  EXPECT_EQ(Read("amp1", "cab"), "  padded  ");
  EXPECT_EQ(Read("AMP1", "Quoted"), "x");
  EXPECT_EQ(Read("AMP1", "Mismatched"), "\"x'");
  EXPECT_EQ(Read("AMP1", "LoneQuote"), "\"");
  EXPECT_EQ(Read("AMP1", "EmptyQuotes"), "");
  EXPECT_EQ(Read("AMP1", "Empty"), "");
  EXPECT_EQ(Read("AMP1", "Equation"), "a=b");
  EXPECT_EQ(Read("VARIAX", "guitar"), "1 Telecaster Custom");  // last line, no line end
}

TEST_F(ProfileRead, FirstSectionAndFirstKeyWinCommentsAndStrayLinesAreNoKeys) {
  EXPECT_EQ(Read("AMP1", "DRIVE1"), "300");
  EXPECT_EQ(Read("AMP1", "Power"), "");  // only in the second [AMP1]
  EXPECT_EQ(Read("AMP1", "NoEqualsSign"), "");
  EXPECT_EQ(Read("AMP1", "; Amp"), "");
  EXPECT_EQ(Read("AMP1", ";DRIVE1"), "");
  EXPECT_EQ(Read("AMP1", "Inside"), "still AMP1");  // a header without "]" is no header
  EXPECT_EQ(Read("Broken", "Inside"), "");
  EXPECT_EQ(Read("", "Orphan"), "");
}

TEST_F(ProfileRead, MissingSectionKeyOrFileReadEmptyAndNothingIsCreatedOrChanged) {
  const auto before = std::filesystem::last_write_time(file_);
  EXPECT_EQ(Read("AMP2", "Amp"), "");
  EXPECT_EQ(Read("AMP1", "VOL1"), "");
  const auto missing = folder_ / "absent.vmp";
  EXPECT_EQ(ReadProfileString(missing, "AMP1", "Amp"), "");
  EXPECT_EQ(ReadProfileString(folder_.path(), "AMP1", "Amp"), "");  // a folder
  EXPECT_EQ(ReadProfileString(folder_ / "mixed.vmp" / "x", "AMP1", "Amp"), "");
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_EQ(ReadBytes(file_), kMixed);
  EXPECT_EQ(std::filesystem::last_write_time(file_), before);
  EXPECT_EQ(folder_.Names(), std::vector<std::string>{"mixed.vmp"});
}

TEST(ProfileLineEnds, CrOnlyLfOnlyAndMixedFilesReadAlike) {
  ScratchFolder folder;
  const std::string lines[] = {"[AMP2]",         "Power=OFF", "",
                               "Cab=4x12 Line6", "[Variax]",  "Guitar=3 3021"};
  for (const std::string end : {"\r", "\n", "\r\n"}) {
    std::string text;
    for (const std::string& line : lines) {
      text += line + end;
    }
    WriteBytes(folder / "f.ini", text);
    EXPECT_EQ(ReadProfileString(folder / "f.ini", "AMP2", "Power"), "OFF");
    EXPECT_EQ(ReadProfileString(folder / "f.ini", "AMP2", "Cab"), "4x12 Line6");
    EXPECT_EQ(ReadProfileString(folder / "f.ini", "Variax", "Guitar"), "3 3021");
  }
  WriteBytes(folder / "f.ini", "[A]\rk=1\n[B]\r\nk=2\n\rk=3\r");
  EXPECT_EQ(ReadProfileString(folder / "f.ini", "A", "k"), "1");
  EXPECT_EQ(ReadProfileString(folder / "f.ini", "B", "k"), "2");
}

TEST(ProfileLimits, ValuesStopAt2047CharactersAndAtNul) {
  ScratchFolder folder;
  const std::string longValue(3000, 'v');
  WriteBytes(folder / "f.ini", "[S]\r\nlong=" + longValue + "\r\nquoted=\"" +
                                   std::string(2047, 'q') +
                                   "\"\r\nexact=" + std::string(2047, 'e') + "\r\nnul=ab" +
                                   std::string(1, '\0') + "cd\r\n");
  EXPECT_EQ(ReadProfileString(folder / "f.ini", "S", "long"), std::string(2047, 'v'));
  EXPECT_EQ(ReadProfileString(folder / "f.ini", "S", "quoted"), std::string(2047, 'q'));
  EXPECT_EQ(ReadProfileString(folder / "f.ini", "S", "exact"), std::string(2047, 'e'));
  EXPECT_EQ(ReadProfileString(folder / "f.ini", "S", "nul"), "ab");
}

TEST(ProfileEncoding, Windows1252OnDiskUtf8InMemory) {
  ScratchFolder folder;
  WriteBytes(folder / "f.ini",
             "[Caf\xE9]\r\nMod\xE8le=1x6x9 Supro S6616 ann\xE9"
             "es ('60)\r\n"
             "euro=\x80\r\nodd=\x81\r\n");
  EXPECT_EQ(ReadProfileString(folder / "f.ini", "Caf\xC3\xA9", "Mod\xC3\xA8le"),
            "1x6x9 Supro S6616 ann\xC3\xA9"
            "es ('60)");
  EXPECT_EQ(ReadProfileString(folder / "f.ini", "Caf\xC3\xA9", "euro"), "\xE2\x82\xAC");
  EXPECT_EQ(ReadProfileString(folder / "f.ini", "Caf\xC3\xA9", "odd"), "\xC2\x81");
  // Accented letters match their other case too; a name with no Windows-1252 form matches
  // nothing.
  EXPECT_EQ(ReadProfileString(folder / "f.ini", "CAF\xC3\x89", "MOD\xC3\x88LE"),
            "1x6x9 Supro S6616 ann\xC3\xA9"
            "es ('60)");
  EXPECT_EQ(ReadProfileString(folder / "f.ini", "Caf\xC3\xA9", "\xE6\x97\xA5"), "");
}

// Windows-1252 letter pairs: C0..DE with E0..FE, and S, OE, Z caron and Y diaeresis, whose
// two cases lie in different blocks. The signs D7 and F7 sit at a pair's place but are not one.
TEST(ProfileEncoding, NamesMatchAcrossLetterCaseOfTheWholeCodePage) {
  ScratchFolder folder;
  WriteBytes(folder / "f.ini",
             "[\xC0\xDE]\r\n\x8A\x8C\x8E\x9F=letters\r\n\xD7=times\r\n\xDF=sharp s\r\n");
  const auto read = [&](std::string_view section, std::string_view key) {
    return ReadProfileString(folder / "f.ini", section, key);
  };
  EXPECT_EQ(read("\xC3\xA0\xC3\xBE", "\xC5\xA1\xC5\x93\xC5\xBE\xC3\xBF"), "letters");
  EXPECT_EQ(read("\xC3\x80\xC3\x9E", "\xC3\x97"), "times");
  EXPECT_EQ(read("\xC3\x80\xC3\x9E", "\xC3\xB7"), "");  // division sign
  EXPECT_EQ(read("\xC3\x80\xC3\x9E", "\xC3\x9F"), "sharp s");
  EXPECT_EQ(read("\xC3\x80\xC3\x9E", "\xC3\xBF"), "");  // y diaeresis is not sharp s
}

}  // namespace
}  // namespace velmora

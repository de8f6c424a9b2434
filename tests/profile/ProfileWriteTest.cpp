#include <gtest/gtest.h>

#include "profile/Profile.h"
#include "profile/ScratchFolder.h"

namespace velmora {
namespace {

using testing::ReadBytes;
using testing::ScratchFolder;
using testing::WriteBytes;

class ProfileWrite : public ::testing::Test {
 protected:
  void Write(std::string_view section, std::string_view key, std::string_view value) {
    WriteProfileString(file_, section, key, value);
  }
  std::string Bytes() { return ReadBytes(file_); }
  ScratchFolder folder_;
  std::filesystem::path file_ = folder_ / "preset.vmp";
};

TEST_F(ProfileWrite, KeyByKeyIntoANewFileGivesTheDefaultPresetLayout) {
  const char* knobs1[] = {"DRIVE1", "BASS1", "MID1", "TREB1", "PRES1", "VOL1"};
  const char* knobs2[] = {"DRIVE2", "BASS2", "MID2", "TREB2", "PRES2", "VOL2"};
  Write("AMP1", "Power", "ON");
  Write("AMP1", "Amp", "Bypass (no amp)");
  Write("AMP1", "Cab", "Bypass (no cab)");
  for (const char* knob : knobs1) {
    Write("AMP1", knob, "256");
  }
  Write("AMP2", "Power", "OFF");
  Write("AMP2", "Amp", "Bypass (no amp)");
  Write("AMP2", "Cab", "Bypass (no cab)");
  for (const char* knob : knobs2) {
    Write("AMP2", knob, "256");
  }
  Write("Variax", "Guitar", "");
  EXPECT_EQ(Bytes(),
            "[AMP1]\r\nPower=ON\r\nAmp=Bypass (no amp)\r\nCab=Bypass (no cab)\r\n"
            "DRIVE1=256\r\nBASS1=256\r\nMID1=256\r\nTREB1=256\r\nPRES1=256\r\nVOL1=256\r\n"
            "[AMP2]\r\nPower=OFF\r\nAmp=Bypass (no amp)\r\nCab=Bypass (no cab)\r\n"
            "DRIVE2=256\r\nBASS2=256\r\nMID2=256\r\nTREB2=256\r\nPRES2=256\r\nVOL2=256\r\n"
            "[Variax]\r\nGuitar=\r\n");
  EXPECT_EQ(folder_.Names(), std::vector<std::string>{"preset.vmp"});
}

// Someone else's file: LF line ends, comments, blank lines, other sections and keys, names
// in other letter cases and with blanks. Only the values we write may change.
TEST_F(ProfileWrite, SavingOntoAFileWithOtherContentKeepsEveryOtherLineByteForByte) {
  WriteBytes(file_,
             "; written by hand\n"
             "\n"
             "[Notes]\n"
             "Amp=not this one\n"
             "[amp1]\n"
             "  power = OFF  \n"
             "Unknown=keep me\n"
             "AMP=\"'61 Class A C-15\"\n"
             "; trailing comment\n"
             "\n"
             "[Other]\r\n"
             "x = 1\r\n"
             "[VARIAX]\r"
             "Guitar=\r");
  Write("AMP1", "Power", "ON");
  Write("Amp1", "Amp", "'02 Bomber Uber");
  Write("AMP1", "Cab", "4x12 Line6");
  Write("Variax", "Guitar", "3 3021");
  Write("AMP2", "Power", "OFF");
  EXPECT_EQ(Bytes(),
            "; written by hand\n"
            "\n"
            "[Notes]\n"
            "Amp=not this one\n"
            "[amp1]\n"
            "  power = ON  \n"
            "Unknown=keep me\n"
            "AMP='02 Bomber Uber\n"
            "Cab=4x12 Line6\r\n"
            "; trailing comment\n"
            "\n"
            "[Other]\r\n"
            "x = 1\r\n"
            "[VARIAX]\r"
            "Guitar=3 3021\r"
            "[AMP2]\r\n"
            "Power=OFF\r\n");
  EXPECT_EQ(ReadProfileString(file_, "AMP1", "Amp"), "'02 Bomber Uber");
  EXPECT_EQ(ReadProfileString(file_, "Notes", "Amp"), "not this one");
}

TEST_F(ProfileWrite, LastLineWithoutLineEndIsNeverMergedWithWhatFollows) {
  WriteBytes(file_, "[AMP1]\r\nPower=OFF");
  Write("AMP1", "Power", "ON");
  EXPECT_EQ(Bytes(), "[AMP1]\r\nPower=ON");  // replaced in place, still without line end
  Write("AMP1", "Amp", "Line6 Clean");
  EXPECT_EQ(Bytes(), "[AMP1]\r\nPower=ON\r\nAmp=Line6 Clean\r\n");

  WriteBytes(file_, "; just a comment");
  Write("AMP2", "Power", "ON");
  EXPECT_EQ(Bytes(), "; just a comment\r\n[AMP2]\r\nPower=ON\r\n");

  WriteBytes(file_, "[Variax]");
  Write("variax", "Guitar", "1 Telecaster Custom");
  EXPECT_EQ(Bytes(), "[Variax]\r\nGuitar=1 Telecaster Custom\r\n");

  WriteBytes(file_, "");
  Write("A", "k", "v");
  EXPECT_EQ(Bytes(), "[A]\r\nk=v\r\n");
}

// A file saved as "UTF-8 with BOM" by a text editor: its first section stays readable and
// writable, and the mark stays where it was.
TEST_F(ProfileWrite, AByteOrderMarkDoesNotHideTheFirstSection) {
  const std::string bom = "\xEF\xBB\xBF";
  WriteBytes(file_, bom + "[AMP1]\r\nPower=OFF\r\n[AMP2]\r\nPower=ON\r\n");
  EXPECT_EQ(ReadProfileString(file_, "AMP1", "Power"), "OFF");
  Write("AMP1", "Power", "ON");
  Write("AMP1", "Amp", "Line6 Clean");
  EXPECT_EQ(Bytes(), bom + "[AMP1]\r\nPower=ON\r\nAmp=Line6 Clean\r\n[AMP2]\r\nPower=ON\r\n");

  WriteBytes(file_, bom);
  Write("Variax", "Guitar", "3 3021");
  EXPECT_EQ(Bytes(), bom + "[Variax]\r\nGuitar=3 3021\r\n");

  // Only at the very start is it a mark; elsewhere it is part of the line.
  WriteBytes(file_, "\r\n" + bom + "[AMP1]\r\nPower=OFF\r\n");
  EXPECT_EQ(ReadProfileString(file_, "AMP1", "Power"), "");
}

TEST_F(ProfileWrite, DuplicatesOnlyTheFirstSectionAndKeyAreWritten) {
  WriteBytes(file_, "[A]\r\nk=1\r\nk=2\r\n[a]\r\nk=3\r\nj=4\r\n");
  Write("A", "K", "9");
  Write("A", "j", "5");
  EXPECT_EQ(Bytes(), "[A]\r\nk=9\r\nk=2\r\nj=5\r\n[a]\r\nk=3\r\nj=4\r\n");
}

TEST_F(ProfileWrite, PaddedNamesAreTrimmedAndLeadingBlanksOfValuesDropped) {
  Write("  AMP1 ", " Amp  ", "   Line6 Clean  ");
  Write("AMP1", "Empty", "   ");
  EXPECT_EQ(Bytes(), "[AMP1]\r\nAmp=Line6 Clean  \r\nEmpty=\r\n");
  EXPECT_EQ(ReadProfileString(file_, "AMP1", "Amp"), "Line6 Clean");
}

TEST_F(ProfileWrite, TextGoesToDiskInWindows1252) {
  Write("AMP2", "Mod\xC3\xA8le",
        "1x6x9 Supro S6616 ann\xC3\xA9"
        "es ('60) \xE2\x82\xAC");
  EXPECT_EQ(Bytes(),
            "[AMP2]\r\nMod\xE8le=1x6x9 Supro S6616 ann\xE9"
            "es ('60) \x80\r\n");
  EXPECT_EQ(ReadProfileString(file_, "amp2", "MOD\xC3\xA8LE"),
            "1x6x9 Supro S6616 ann\xC3\xA9"
            "es ('60) \xE2\x82\xAC");
  Write("amp2", "MOD\xC3\x88LE", "1x6 Super O");  // the capital of the accented letter
  EXPECT_EQ(Bytes(), "[AMP2]\r\nMod\xE8le=1x6 Super O\r\n");
}

TEST_F(ProfileWrite, BytesOutsideTheEditedLineSurviveEvenWhenNotText) {
  std::string odd = "[A]\r\nk=1\r\nbin=\x01\x02\xFF\x81";
  odd += '\0';
  odd += "tail\r\n";
  WriteBytes(file_, odd);
  Write("A", "k", "2");
  odd[7] = '2';
  EXPECT_EQ(Bytes(), odd);
}

// Each refusal happens before the file is touched: an existing file keeps its bytes and a
// missing one is not created.
TEST_F(ProfileWrite, NamesAndValuesThatWouldBreakTheFileAreRefused) {
  struct Refused {
    std::string section, key, value, message;
  };
  const std::string nul(1, '\0');
  const Refused refused[] = {
      {"AMP1", "Amp", "Line6\r\nPower=ON",
       "Valeur refusée pour Amp dans [AMP1] : elle contient "
       "un saut de ligne ou un NUL"},
      {"AMP1", "Amp", "a\rb", ""},
      {"AMP1", "Amp", "a\nb", ""},
      {"AMP1", "Amp", "a" + nul + "b", ""},
      {"AMP\n1", "Amp", "x", "Nom de section refusé : il contient un saut de ligne ou un NUL"},
      {"AMP1", "A\rmp", "x", "Nom de clé refusé : il contient un saut de ligne ou un NUL"},
      {"AMP1", "Amp" + nul, "x", ""},
      {"  ", "Amp", "x", "Nom de section vide"},
      {"AMP1", " ", "x", "Nom de clé vide dans [AMP1]"},
      {"AMP1", "a=b", "x", "Nom de clé refusé : a=b"},
      {"AMP1", "[x]", "x", "Nom de clé refusé : [x]"},
      {"AMP1", ";x", "x", "Nom de clé refusé : ;x"},
      {"AMP1", "Amp", "\xE6\x97\xA5",
       "Valeur refusée pour Amp dans [AMP1] : Le caractère U+65E5 n'existe pas en Windows-1252 : "
       "\"\xE6\x97\xA5\""},
      {"AMP1", "Amp", "\xFF",
       "Valeur refusée pour Amp dans [AMP1] : Texte UTF-8 invalide à l'octet 1"},
      // A bad name is reported as such, never quoted as broken text in another message.
      {"AMP1", "\xFF", "a\nb", "Nom de clé refusé : Texte UTF-8 invalide à l'octet 1"},
      {"\xC3", "", "", "Nom de section refusé : Texte UTF-8 invalide à l'octet 1"},
  };
  for (bool existing : {false, true}) {
    if (existing) {
      WriteBytes(file_, "[AMP1]\nAmp=old\n");
    }
    for (const Refused& r : refused) {
      SCOPED_TRACE(r.section + "/" + r.key + "/" + r.value);
      try {
        Write(r.section, r.key, r.value);
        ADD_FAILURE() << "accepted";
      } catch (const ProfileWriteError& error) {
        if (!r.message.empty()) {
          EXPECT_EQ(error.what(), r.message);
        }
      }
      EXPECT_EQ(std::filesystem::exists(file_), existing);
    }
    if (existing) {
      EXPECT_EQ(Bytes(), "[AMP1]\nAmp=old\n");
    }
    EXPECT_EQ(folder_.Names().size(), existing ? 1u : 0u);
  }
}

TEST_F(ProfileWrite, SeveralKeysAreAllOrNothing) {
  WriteBytes(file_, "[AMP1]\r\nPower=OFF\r\n");
  WriteProfileStrings(file_, {{"AMP1", "Power", "ON"},
                              {"AMP1", "Amp", "Line6 Clean"},
                              {"AMP2", "Power", "OFF"},
                              {"AMP1", "Power", "OFF"}});  // applied in order: the last wins
  EXPECT_EQ(Bytes(), "[AMP1]\r\nPower=OFF\r\nAmp=Line6 Clean\r\n[AMP2]\r\nPower=OFF\r\n");

  const std::string before = Bytes();
  EXPECT_THROW(
      WriteProfileStrings(
          file_, {{"AMP1", "Power", "ON"}, {"AMP1", "Cab", "1x10"}, {"AMP2", "Amp", "bad\nvalue"}}),
      ProfileWriteError);
  EXPECT_EQ(Bytes(), before);

  WriteProfileStrings(file_, {});
  EXPECT_EQ(Bytes(), before);
  WriteProfileStrings(folder_ / "untouched.vmp", {});
  EXPECT_EQ(folder_.Names(), std::vector<std::string>{"preset.vmp"});
}

}  // namespace
}  // namespace velmora

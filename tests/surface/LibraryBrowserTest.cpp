// POSIX only: the trash is the freedesktop one under a throwaway XDG_DATA_HOME, and the
// error texts are the C library's.
#ifndef _WIN32

#include <gmock/gmock.h>

#include <cstdlib>
#include <fstream>

#include "SurfaceFixture.h"
#include "library/PresetLibrary.h"
#include "profile/AtomicFile.h"
#include "surface/editing/LibraryBrowser.h"
#include "surface/files/PresetFileCommands.h"
#include "surface/forms/LibraryForm.h"
#include "surface/forms/MainForm.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

constexpr const char* kPlexiTele =
    "[AMP1]\r\nPower=ON\r\nAmp=Line6 Class A\r\nCab=1x10\r\nDRIVE1=4\r\nBASS1=8\r\nMID1=12\r\n"
    "TREB1=16\r\nPRES1=20\r\nVOL1=24\r\n[AMP2]\r\nPower=OFF\r\nAmp='68 Brit Plexi Lead 100\r\n"
    "[Variax]\r\nGuitar=2 Telecaster modified\r\n";

class LibraryBrowserTest : public SurfaceTest {
 protected:
  LibraryBrowserTest() : folder_(root_ / "presets") {
    setenv("HOME", root_.c_str(), 1);
    setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
    Write("Clean.vmp", "[AMP1]\r\nPower=ON\r\nAmp=Line6 Clean\r\n");
    Write("Rock/Plexi Tele.vmp", kPlexiTele);
    Write("Rock/Broken.vmp", "[AMP1]\r\nDRIVE1=1.5\r\n");
  }

  void Write(const std::string& relative, const std::string& bytes) {
    fs::create_directories((folder_ / relative).parent_path());
    std::ofstream(folder_ / relative, std::ios::binary) << bytes;
  }

  // Each row's first four cells, joined by "|".
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    const TableList& list = form_.library.lvPresets;
    for (std::size_t row = 0; row < list.rowCount; ++row) {
      std::string text = list.cell(form_, row, 0);
      for (std::size_t column = 1; column < 4; ++column) {
        text += "|" + list.cell(form_, row, column);
      }
      rows.push_back(text);
    }
    return rows;
  }

  std::string Selected() const {
    const LibraryEntry* entry = SelectedLibraryEntry(form_);
    return entry == nullptr ? "none" : entry->relativeText;
  }

  void Type(std::string query) {
    form_.library.edtRecherche = std::move(query);
    LibrarySearchTyped(context_);
  }

  void Pick(const std::string& relative) {
    Type("");
    for (std::size_t row = 0; row < form_.library.matches.size(); ++row) {
      if (form_.library.library->Entries()[form_.library.matches[row]].relativeText == relative) {
        form_.library.lvPresets.itemIndex = static_cast<int>(row);
      }
    }
    LibraryRowSelected(context_);
  }

  std::vector<std::string> FilesLeft() const {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder_)) {
      if (entry.is_regular_file()) {
        files.push_back(entry.path().lexically_relative(folder_).generic_string());
      }
    }
    std::sort(files.begin(), files.end());
    return files;
  }

  fs::path folder_;
};

TEST_F(LibraryBrowserTest, CtrlLOpensTheWindowAndTheListFollowsTheSearchAsTyped) {
  const Shortcut& keys = MainWindowForm().shortcuts[5];
  ASSERT_EQ(keys.keys, "Ctrl+L");
  keys.handler(context_);
  EXPECT_THAT(view_.shownForms, ElementsAre(std::string(kLibraryFormName)));
  EXPECT_EQ(form_.library.lblDossier, FullPathText(folder_));
  EXPECT_THAT(
      Rows(),
      ElementsAre("Clean|Line6 Clean||", "Broken|||",
                  "Plexi Tele|Line6 Class A|'68 Brit Plexi Lead 100|2 Telecaster modified"));
  EXPECT_EQ(Selected(), "Clean.vmp");

  // The selection stays on its file while the file matches, else goes to the first row.
  const struct {
    const char* query;
    std::vector<std::string> rows;
    const char* selected;
  } searches[] = {
      {"plexi tele", {"Rock/Plexi Tele.vmp"}, "Rock/Plexi Tele.vmp"},
      {"ROCK", {"Rock/Broken.vmp", "Rock/Plexi Tele.vmp"}, "Rock/Plexi Tele.vmp"},
      {"amp:class", {"Rock/Plexi Tele.vmp"}, "Rock/Plexi Tele.vmp"},
      {"cab:plexi", {}, "none"},
      {"name:clean", {"Clean.vmp"}, "Clean.vmp"},
      {"line6", {"Clean.vmp", "Rock/Plexi Tele.vmp"}, "Clean.vmp"},
  };
  for (const auto& search : searches) {
    Type(search.query);
    std::vector<std::string> shown;
    for (const std::size_t position : form_.library.matches) {
      shown.push_back(form_.library.library->Entries()[position].relativeText);
    }
    EXPECT_EQ(shown, search.rows) << search.query;
    EXPECT_EQ(Selected(), search.selected) << search.query;
  }
  Pick("Rock/Plexi Tele.vmp");
  EXPECT_EQ(form_.library.edtNom, "Plexi Tele");
  EXPECT_EQ(form_.library.lblContenu,
            "Rock/Plexi Tele.vmp\nAMP1 ON\n  AMP Line6 Class A\n      Line6 Class A\n"
            "  CAB 1x10\n      1x10 Gibson Explorer GA-18 (1960)\n"
            "  DRIVE 4 BASS 8 MID 12\n  TREB 16 PRES 20 VOL 24\n"
            "AMP2 OFF\n  AMP '68 Brit Plexi Lead 100\n      Marshall Super Lead (1968)\n"
            "  CAB -\n  DRIVE 256 BASS 256 MID 256\n  TREB 256 PRES 256 VOL 256\n"
            "Variax 2 Telecaster modified\n      Fender Telecaster modified, T-MODEL");
  Pick("Rock/Broken.vmp");
  EXPECT_THAT(form_.library.lblContenu, ::testing::StartsWith("Rock/Broken.vmp\n"));
  EXPECT_NE(form_.library.lblContenu, "Rock/Broken.vmp\n");
}

// Audition is Open with the file already chosen: the same bytes, pauses and progress.
TEST_F(LibraryBrowserTest, AuditionSendsExactlyWhatOpenSendsAndAFileGoneIsNamed) {
  view_.Watch(form_);
  OpenLibraryWindow(context_);
  Pick("Rock/Plexi Tele.vmp");
  LibraryAudition(context_);
  ClearWire();
  view_.openAnswer = folder_ / "Rock/Plexi Tele.vmp";
  bttnOuvrirClick(context_);
  const std::vector<std::string> opened = Wire();
  ClearWire();
  LibraryAudition(context_);
  EXPECT_EQ(Wire(), opened);
  EXPECT_THAT(opened, ::testing::Contains("pause"));

  fs::remove(folder_ / "Rock/Plexi Tele.vmp");
  ClearWire();
  try {
    LibraryAudition(context_);
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()),
              "Impossible de lire " + FullPathText(folder_ / "Rock/Plexi Tele.vmp"));
  }
  EXPECT_TRUE(Wire().empty());
}

// Each operation, the list read again after it (a row whose file went meanwhile leaves),
// what stays selected, and what is on disk.
TEST_F(LibraryBrowserTest, OperationsKeepTheListInStepWithTheFolderAndLoseNothing) {
  const struct {
    const char* what;
    const char* pick;
    const char* name;  // the name box's text
    void (*operation)(EditingContext&);
    const char* error;  // "@" stands for the folder's full path and "/"; "" for none
    const char* files;  // what the folder holds after
    const char* selected;
  } cases[] = {
      {"rename", "Clean.vmp", "Lead", LibraryRename, "",
       "Lead.vmp, Rock/Broken.vmp, Rock/Plexi Tele.vmp", "Lead.vmp"},
      {"rename onto a name that exists", "Rock/Broken.vmp", "Plexi Tele", LibraryRename,
       "Impossible de renommer @Rock/Broken.vmp en Plexi Tele.vmp : un fichier de ce nom existe "
       "déjà",
       "Clean.vmp, Rock/Broken.vmp, Rock/Plexi Tele.vmp", "Rock/Broken.vmp"},
      {"duplicate", "Clean.vmp", "", LibraryDuplicate, "",
       "Clean (2).vmp, Clean.vmp, Rock/Broken.vmp, Rock/Plexi Tele.vmp", "Clean (2).vmp"},
      {"save current as", "Clean.vmp", "Fresh", LibrarySaveCurrentAs, "",
       "Clean.vmp, Fresh.vmp, Rock/Broken.vmp, Rock/Plexi Tele.vmp", "Fresh.vmp"},
      {"save current as a name that exists", "Clean.vmp", "Clean", LibrarySaveCurrentAs,
       "Impossible d'enregistrer @Clean.vmp : un fichier de ce nom existe déjà",
       "Clean.vmp, Rock/Broken.vmp, Rock/Plexi Tele.vmp", "Clean.vmp"},
      {"trash", "Rock/Broken.vmp", "", LibraryTrash, "", "Clean.vmp, Rock/Plexi Tele.vmp",
       "Rock/Plexi Tele.vmp"},
      {"rename a file gone", "Clean.vmp", "Other", LibraryRename,
       "Impossible de renommer @Clean.vmp en Other.vmp : No such file or directory",
       "Rock/Broken.vmp, Rock/Plexi Tele.vmp", "Rock/Broken.vmp"},
      {"trash the last row", "Rock/Plexi Tele.vmp", "", LibraryTrash, "",
       "Clean.vmp, Rock/Broken.vmp", "Rock/Broken.vmp"},
  };
  for (const auto& operation : cases) {
    fs::remove_all(folder_);
    fs::remove_all(root_ / "data");
    Write("Clean.vmp", "[AMP1]\r\nPower=ON\r\nAmp=Line6 Clean\r\n");
    Write("Rock/Plexi Tele.vmp", kPlexiTele);
    Write("Rock/Broken.vmp", "[AMP1]\r\nDRIVE1=1.5\r\n");
    OpenLibraryWindow(context_);
    Pick(operation.pick);
    form_.library.edtNom = operation.name;
    // "... gone": the file is removed behind the window's back first.
    if (std::string_view(operation.what).ends_with("gone")) {
      fs::remove(folder_ / operation.pick);
    }
    std::string error;
    try {
      operation.operation(context_);
    } catch (const std::exception& thrown) {
      error = thrown.what();
    }
    std::string expected = operation.error;
    if (const std::size_t at = expected.find('@'); at != std::string::npos) {
      expected.replace(at, 1, FullPathText(folder_) + "/");
    }
    EXPECT_EQ(error, expected) << operation.what;
    const std::vector<std::string> files = FilesLeft();
    std::string left;
    for (const std::string& file : files) {
      left += (left.empty() ? "" : ", ") + file;
    }
    EXPECT_EQ(left, operation.files) << operation.what;
    EXPECT_EQ(form_.library.matches.size(), files.size()) << operation.what;
    EXPECT_EQ(Selected(), operation.selected) << operation.what;
  }
  // The trash holds the file whole.
  std::ifstream trashed(root_ / "data/Trash/files/Plexi Tele.vmp", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(trashed), {}), kPlexiTele);
}

}  // namespace
}  // namespace velmora

#endif

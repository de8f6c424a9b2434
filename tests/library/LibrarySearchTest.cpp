#include <gtest/gtest.h>

#include "LibraryFiles.h"
#include "TemporaryFolder.h"
#include "library/PresetLibrary.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

struct SearchCase {
  const char* query;
  std::vector<std::string> paths;
};

TEST(LibrarySearchTest, WordsPrefixesAndAccentsFindTheirPresetsInFoldedPathOrder) {
  const fs::path folder = MakeTemporaryFolder("velmora-search");
  WriteFile(folder / "Plexi Crunch.vmp",
            "[AMP1]\nAmp='68 BRIT PLEXI LEAD 100\n[Variax]\nGuitar=2 Telecaster modified\n");
  // UTF-8 named as such: a narrow name is the system's code page on Windows.
  WriteFile(folder / fs::path(u8"Clean/\xC3\x89t\xC3\xA9 \xC3\xA0 Paris.vmp"),
            "[AMP2]\nAmp='64 Fn Black Lux\nCab=1x6 Super O\n[Variax]\nGuitar=1 Stratocaster\n");
  WriteFile(folder / "Caf\xE9 Blues.vmp", "[AMP1]\nAmp='53 Fn Tweed Small Tweed\n");
  WriteFile(folder / "Tele Lead.vmp", "[AMP2]\nAmp='65 Brit Plexi J-45\n");
  WriteFile(folder / "Bad Knob.vmp", "[AMP1]\nAmp='65 Brit Plexi J-45\nDRIVE1=abc\n");
  PresetLibrary library(folder, {});
  library.Refresh();

  const std::string clean = "Clean/\xC3\x89t\xC3\xA9 \xC3\xA0 Paris.vmp";
  const std::string cafe = "Caf\xC3\xA9 Blues.vmp";
  const SearchCase cases[] = {
      {"", {"Bad Knob.vmp", cafe, clean, "Plexi Crunch.vmp", "Tele Lead.vmp"}},
      {"plexi tele", {"Plexi Crunch.vmp", "Tele Lead.vmp"}},
      {"name:tele", {"Tele Lead.vmp"}},
      {"GUITAR:tele", {"Plexi Crunch.vmp"}},
      {"guitar:spank", {clean}},
      {"ete", {clean}},
      {"\xC3\x89T\xC3\x89 paris", {clean}},
      {"clean", {clean}},
      {"CAFE", {cafe}},
      {"annees", {clean}},
      {"cab:super amp:lux", {clean}},
      {"cab:lux", {}},
      {"amp:marshall", {"Plexi Crunch.vmp", "Tele Lead.vmp"}},
      {"j-45", {"Tele Lead.vmp"}},
      {"plexi", {"Plexi Crunch.vmp", "Tele Lead.vmp"}},
      {"bad", {"Bad Knob.vmp"}},
      {"ead", {}},
      {"vmp", {}},
      {"name:", {"Bad Knob.vmp", cafe, clean, "Plexi Crunch.vmp", "Tele Lead.vmp"}},
  };
  for (const SearchCase& search : cases) {
    std::vector<std::string> found;
    for (const std::size_t index : library.Search(search.query)) {
      found.push_back(library.Entries()[index].relativeText);
    }
    EXPECT_EQ(found, search.paths) << "query: " << search.query;
  }
  fs::remove_all(folder);
}

}  // namespace
}  // namespace velmora

// velmora-cli library on a small folder: its lines, its JSON, and its exit codes.

#include <gtest/gtest.h>

#include <chrono>

#include "cli/CliRunner.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

struct LibraryRun {
  std::vector<std::string> args;  // after "library --dir <folder>"
  int status;
  std::string out;
  std::string err;
};

class LibraryCommandTest : public CliRunnerTest {
 protected:
  fs::path Preset(const std::string& name, const std::string& text) {
    // The names are UTF-8; a narrow name would be the system's code page on Windows.
    const fs::path file = folder_ / "lib" / fs::path(std::u8string(name.begin(), name.end()));
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
    using namespace std::chrono;
    fs::last_write_time(file,
                        file_clock::from_sys(sys_seconds(sys_days{2026y / 12 / 9}) + 13h + 5min));
    return file;
  }
};

TEST_F(LibraryCommandTest, PrintsTheMatchesAsLinesOrJsonAndExitsAsGrep) {
  Preset("Crunch.vmp",
         "[AMP1]\nPower=ON\nAmp='68 brit plexi lead 100\nCab=4x12 Green 20's\nDRIVE1=-3\n"
         "[Variax]\nGuitar=2 Telecaster modified\n");
  Preset(
      "Solo/Ann\xC3\xA9"
      "es.vmp",
      "[AMP2]\nAmp='65 Brit Plexi J-45\n");
  Preset("Solo/Bad.vmp", "[AMP1]\nTREB1=1e3\n");
  const std::string lib = (folder_ / "lib").string();
  const std::string knobs = R"({"DRIVE":256,"BASS":256,"MID":256,"TREB":256,"PRES":256,"VOL":256})";
  const LibraryRun runs[] = {
      {{},
       0,
       "Crunch.vmp\t'68 Brit Plexi Lead 100\t\t2 Telecaster modified\n"
       "Solo/Ann\xC3\xA9"
       "es.vmp\t\t'65 Brit Plexi J-45\t\nSolo/Bad.vmp\t\t\t\n",
       "velmora-cli: '1e3' n'est pas une valeur entière correcte\n"},
      {{"annees", "amp:j"},
       0,
       "Solo/Ann\xC3\xA9"
       "es.vmp\t\t'65 Brit Plexi J-45\t\n",
       ""},
      {{"--json", "tele"},
       0,
       R"([{"path":"Crunch.vmp","name":"Crunch","modified":"2026-12-09T13:05:00Z",)"
       R"("AMP1":{"power":"ON","amp":"'68 Brit Plexi Lead 100","cab":"4x12 Green 20's",)"
       R"("knobs":{"DRIVE":0,"BASS":256,"MID":256,"TREB":256,"PRES":256,"VOL":256}},)"
       R"("AMP2":{"power":"OFF","amp":"","cab":"","knobs":)" +
           knobs + R"(},"guitar":"2 Telecaster modified","error":null}])",
       ""},
      {{"--json", "bad"},
       0,
       R"([{"path":"Solo/Bad.vmp","name":"Bad","modified":"2026-12-09T13:05:00Z","AMP1":null,)"
       R"("AMP2":null,"guitar":null,"error":"'1e3' n'est pas une valeur entière correcte"}])",
       ""},
      {{"zzz"}, 1, "", ""},
      {{"--json", "zzz"}, 1, "[]", ""},
      {{"--bogus"}, 2, "", "usage: velmora-cli library [--dir D] [--json] [WORDS...]\n"},
  };
  for (const LibraryRun& expected : runs) {
    std::vector<std::string> args = {"library", "--dir", lib};
    args.insert(args.end(), expected.args.begin(), expected.args.end());
    CliRun run = Cli(args);
    if (run.out.starts_with("[")) {  // compared without the indentation
      std::string compact;
      bool quoted = false;
      for (std::size_t i = 0; i < run.out.size(); ++i) {
        const char c = run.out[i];
        quoted = c == '"' && (i == 0 || run.out[i - 1] != '\\') ? !quoted : quoted;
        if (quoted || (c != ' ' && c != '\n')) {
          compact += c;
        }
      }
      run.out = compact;
    }
    EXPECT_EQ(run.status, expected.status) << expected.args.size();
    EXPECT_EQ(run.out, expected.out);
    EXPECT_EQ(run.err, expected.err);
  }
  const CliRun missing = Cli({"library", "--dir", lib + "/none"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_TRUE(missing.err.starts_with("velmora-cli: Impossible de lire le dossier ") &&
              missing.err.find("none : ") != std::string::npos)
      << missing.err;
}

}  // namespace
}  // namespace velmora

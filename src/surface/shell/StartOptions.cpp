#include "surface/shell/StartOptions.h"

#include <algorithm>

#include "surface/form/Identity.h"

namespace velmora {

std::string VersionText() {
  return std::string(ProgramName) + " " + std::string(ProgramVersion);
}

std::string StartUsage() {
  return "usage: velmora [FILE.vmp] | --version | --help\n"
         "Starts the editor, then loads FILE.vmp as Open does.\n";
}

StartOptions ReadStartOptions(const std::vector<std::string>& words) {
  StartOptions options;
  const auto given = [&](const char* option) {
    return std::find(words.begin(), words.end(), option) != words.end();
  };
  if (given("--version")) {
    options.action = StartOptions::Action::kVersion;
    return options;
  }
  if (given("--help")) {
    options.action = StartOptions::Action::kHelp;
    return options;
  }
  for (const std::string& word : words) {
    if (word.starts_with('-') || word.empty() || options.file) {
      options.action = StartOptions::Action::kRefused;
      options.file.reset();
      return options;
    }
    // The words are UTF-8 on both systems: a path made from narrow text would be read in
    // the ANSI code page on Windows.
    options.file = std::filesystem::path(std::u8string(word.begin(), word.end()));
  }
  return options;
}

}  // namespace velmora

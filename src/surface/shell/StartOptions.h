#pragma once

// The editor's own command line, read before any window or port is opened, so that
// `velmora --version` answers on a machine without a display: `--version`, `--help`, or
// one preset file to load once the start-up is done. Both windows share the rule.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

struct StartOptions {
  enum class Action {
    kRun,      // start the editor, with file when given
    kVersion,  // print VersionText() and end with status 0
    kHelp,     // print StartUsage() and end with status 0
    kRefused,  // print StartUsage() as an error and end with status 2
  };
  Action action = Action::kRun;
  std::optional<std::filesystem::path> file;
};

// "Velmora 1.01".
std::string VersionText();
std::string StartUsage();

// The words after the program's name, in UTF-8 on every system. `--version` and `--help`
// win wherever they stand; any other word beginning with "-" and a second file are refused.
StartOptions ReadStartOptions(const std::vector<std::string>& words);

}  // namespace velmora

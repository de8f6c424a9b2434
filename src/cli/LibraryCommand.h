#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace velmora {

// velmora-cli library [--dir D] [--json] [WORDS...]: the presets of the library that match
// the words, as the library window's search finds them. 0 when something matched, 1 when
// nothing did or the folder cannot be read, 2 for usage.
int RunLibraryCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace velmora

#pragma once

// The section and key names a profile file's bytes spell, found the simple way a reader
// of the file would see them: "[name]" lines and "name=" lines, blanks trimmed.

#include <string>
#include <string_view>
#include <vector>

namespace velmora::fuzz {

struct NamedKey {
  std::string section;
  std::string key;
};

// In file order, at most `limit` of them, names still in the file's code page.
std::vector<NamedKey> NamedKeys(std::string_view bytes, std::size_t limit);

}  // namespace velmora::fuzz

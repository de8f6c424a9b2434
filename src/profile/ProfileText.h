#pragma once

// The text of a profile (INI) file as stored on disk, read and edited by the Windows
// private-profile rules. Works on the file's own bytes so that every line it does not edit
// stays byte-identical; names and values are in the file's code page.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Blanks around names and values are not part of them.
std::string_view TrimBlanks(std::string_view text);

// The value of the first matching key in the first matching section, blanks trimmed and one
// matching pair of quotes removed; nothing when the section or key is missing. Names match
// without regard to letter case, accented letters included.
std::optional<std::string> FindProfileValue(std::string_view fileText, std::string_view section,
                                            std::string_view key);

// The section headers of one text, found in one pass, so that many reads of the same text
// look only at the headers and at the section they name, and keep no list of its lines.
// The text must outlive the index and hold at most 4 GiB.
class ProfileSections {
 public:
  explicit ProfileSections(std::string_view fileText);

  // What FindProfileValue gives for the text.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;

 private:
  std::string_view text_;
  std::vector<std::uint32_t> headers_;  // where each header line begins
};

// Replaces the value in place, adds a missing key after the last key of its section, or
// adds a missing section at the end. Names and value must be fit for a line of their own.
void SetProfileValue(std::string& fileText, std::string_view section, std::string_view key,
                     std::string_view value);

}  // namespace velmora

#pragma once

// The setlist file (.vsl): UTF-8 text, a byte order mark allowed, LF or CRLF, one item a
// line. An item is a preset file path ending in ".vmp" (any letter case; relative to the
// setlist's folder, or absolute) or a stored preset ("USER 3B", "FACTORY 16D"); a tab may
// follow, then the label to show. Lines beginning with "#" and blank lines are kept but
// hold no item.

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "live/Setlist.h"

namespace velmora {

class SetlistError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the whole file. Any line that is none of the above throws SetlistError naming the
// file and the line number ("<full path>:4: ..."); so does a file that cannot be read or
// is over kMaxSetlistBytes.
Setlist ReadSetlistFile(const std::filesystem::path& file);
// The same from bytes already read, relative paths being taken from folder.
Setlist ReadSetlistText(std::string_view bytes, const std::filesystem::path& folder,
                        std::string_view fileName);

// A stored preset as a line names it ("USER 3B"), or nothing for any other text.
std::optional<SetlistItem> ReadStoredItem(std::string_view text);

inline constexpr std::size_t kMaxSetlistBytes = 1 << 20;

// The file's bytes: unedited lines as they were read, edited ones written from their item,
// with paths relative to the setlist's folder for presets under it.
std::string SetlistText(const Setlist& setlist);
// Writes SetlistText in one atomic replace, after moving the setlist to the file's folder.
// Throws ProfileWriteError and leaves the file as it was when it cannot.
void WriteSetlistFile(Setlist& setlist, const std::filesystem::path& file);

// The preset files of the setlist that are not there now, in setlist order, each once.
std::vector<std::filesystem::path> MissingFiles(const Setlist& setlist);
// One warning naming them all, or the empty text when none is missing.
std::string MissingFilesWarning(const Setlist& setlist, const std::filesystem::path& file);

}  // namespace velmora

#pragma once

// The .vmp files of a folder tree, found without reading them.

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "library/LibraryEntry.h"

namespace velmora {

// The most files a library lists; past it the walk stops and says so.
inline constexpr std::size_t kMaxLibraryFiles = 100000;

// The library's folder itself cannot be read: "Impossible de lire le dossier <full path> :
// <reason>".
class LibraryFolderError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct FoundFile {
  std::filesystem::path relativePath;
  FileStamp stamp;
  // Why the file cannot be read, when that is known without opening it; else empty.
  std::string problem;
};

struct FolderListing {
  std::vector<FoundFile> files;       // in walk order: names sorted within each folder
  std::vector<std::string> problems;  // folders that could not be read, link loops
  bool stoppedAtLimit = false;
};

// Recursive, taking names that end in ".vmp" in any letter case, passing over hidden
// folders; a linked folder is followed once, so that a link loop or a second link to the
// same folder adds nothing. A file that is not a regular one is listed with its problem and
// never opened, since opening a pipe would block. Throws LibraryFolderError when the folder
// itself cannot be read.
FolderListing ListPresetFiles(const std::filesystem::path& folder,
                              std::size_t limit = kMaxLibraryFiles);

// "Impossible de lire <full path> : <reason>"
std::string UnreadableText(const std::filesystem::path& file, const std::string& reason);

// "La bibliothèque s'arrête à 100000 presets : les suivants ne sont pas listés"
std::string LimitReachedText(std::size_t limit);

}  // namespace velmora

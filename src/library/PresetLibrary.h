#pragma once

// The library: the preset files of one folder tree with what each holds, kept in step with
// the folder by cheap rescans, and searched as the player types.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "library/LibraryEntry.h"

namespace velmora {

class PresetLibrary {
 public:
  // indexFile may be empty: no cache is read or written.
  PresetLibrary(std::filesystem::path folder, std::filesystem::path indexFile);

  // Lists the folder again, reading only the files whose size or modified time changed
  // since they were last read (or that could not be read then), and saves the index when
  // anything changed. Returns whether the list changed. Throws LibraryFolderError when the
  // folder cannot be read; the list then stays as it was.
  bool Refresh();

  const std::filesystem::path& Folder() const { return folder_; }
  // Sorted by the folded relative path, byte by byte.
  const std::vector<LibraryEntry>& Entries() const { return entries_; }
  // Folders that could not be read and link loops, from the last refresh.
  const std::vector<std::string>& Problems() const { return problems_; }
  // The last refresh stopped at kMaxLibraryFiles.
  bool StoppedAtLimit() const { return stoppedAtLimit_; }

  // The positions in Entries() of the entries that match, in order.
  std::vector<std::size_t> Search(std::string_view query) const;

 private:
  std::filesystem::path folder_;
  std::filesystem::path indexFile_;
  std::vector<LibraryEntry> entries_;
  std::vector<std::string> problems_;
  bool stoppedAtLimit_ = false;
  bool indexRead_ = false;
};

}  // namespace velmora

#pragma once

// The index cache: what the last scan read from each file, keyed by the file's relative path,
// size and modified time, so that a scan reads only the files that changed. The file is
// never trusted: anything that does not check out whole (a wrong header, another folder, a
// bad checksum, a value out of range) makes it read as empty, and the scan reads everything.

#include <filesystem>
#include <vector>

#include "library/LibraryEntry.h"

namespace velmora {

// The entries as stored: relative path, stamp, content and load error; derived texts are
// left empty. Empty when the file is missing, damaged or made for another folder.
std::vector<LibraryEntry> ReadLibraryIndex(const std::filesystem::path& indexFile,
                                           const std::filesystem::path& folder);

// One atomic replace. Entries whose file could not be read are left out, so they are tried
// again. Throws ProfileWriteError when the file cannot be written.
void WriteLibraryIndex(const std::filesystem::path& indexFile, const std::filesystem::path& folder,
                       const std::vector<LibraryEntry>& entries);

}  // namespace velmora

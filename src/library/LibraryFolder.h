#pragma once

// Where the library lives: the folder config.ini names in [LIBRARY] Folder, else a
// "presets" folder beside config.ini, made on first use. The index cache sits beside
// config.ini too.

#include <filesystem>
#include <string_view>

#include "profile/ProgramFolder.h"

namespace velmora {

inline constexpr std::string_view kLibrarySection = "LIBRARY";
inline constexpr std::string_view kLibraryFolderKey = "Folder";

// The folder config.ini names (a relative one taken from config.ini's folder), else the
// default. Only the default folder is made when missing: a chosen folder that is gone (a
// drive unplugged) is reported, not made again somewhere else. Throws LibraryFolderError
// when the default folder cannot be made.
std::filesystem::path LibraryFolder(const ProgramFolders& folders);

// Stores the chosen folder; throws ProfileWriteError when config.ini cannot be written or
// the path has a character that config.ini cannot hold.
void SetLibraryFolder(const ProgramFolders& folders, const std::filesystem::path& folder);

std::filesystem::path LibraryIndexFile(const ProgramFolders& folders);

}  // namespace velmora

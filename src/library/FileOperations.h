#pragma once

// What the player does to the library's files. Each operation either happens whole or
// leaves everything as it was, and a failure throws LibraryOperationError with a text that
// names the file. Nothing is ever unlinked: a delete goes to the desktop's trash.

#include <filesystem>
#include <stdexcept>
#include <string_view>

namespace velmora {

class LibraryOperationError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Gives the file the name newName + its extension, in its folder. A name that another file
// has is refused; a change of letter case alone works where names ignore it (Windows).
// Returns the new path.
std::filesystem::path RenamePreset(const std::filesystem::path& file, std::string_view newName);

// Copies the file to "Name (2).vmp" beside it, or the first of "(3)", "(4)"... that is free.
// Returns the copy's path.
std::filesystem::path DuplicatePreset(const std::filesystem::path& file);

// Moves the file to the desktop's trash.
void TrashPreset(const std::filesystem::path& file);

// The path for a new preset named name in folder, for a save: a name that another file has
// or that no folder can hold is refused.
std::filesystem::path NewPresetPath(const std::filesystem::path& folder, std::string_view name);

// Opens the file manager on the file's folder.
void ShowPresetInFolder(const std::filesystem::path& file);

// Moves from to to unless to exists, in one step, so that no other file is ever replaced.
// Throws std::filesystem::filesystem_error.
void RenameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace velmora

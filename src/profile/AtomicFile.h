#pragma once

// Replaces a file's whole content so that a crash or a failed write never leaves it
// half-written: the new content goes to a temporary file in the same folder, which then
// takes the file's place in one rename. The file keeps its owner, group and permissions.

#include <filesystem>
#include <string>
#include <string_view>

namespace velmora {

// The absolute path as UTF-8 text, for error messages.
std::string FullPathText(const std::filesystem::path& file);

// A fresh name for a temporary of target, in target's folder and short enough for it. While
// its writer works the temporary is locked (on Windows: open); one that is not is abandoned,
// and the next replace of target removes it.
std::filesystem::path NewTemporaryPath(const std::filesystem::path& target);

// Throws ProfileWriteError("Impossible d'écrire dans <full path>", with the system's reason
// when known) and leaves the file as it was, with no temporary file behind, when any step
// fails.
void ReplaceFileAtomically(const std::filesystem::path& file, std::string_view bytes);

// Throws what ReplaceFileAtomically would throw for the file and its folder, writing nothing:
// a temporary is made in the folder and removed again.
void CheckReplaceable(const std::filesystem::path& file);

}  // namespace velmora

#pragma once

// Replaces a file's whole content so that a crash or a failed write never leaves it
// half-written: the new content goes to a temporary file in the same folder, which then
// takes the file's place in one rename.

#include <filesystem>
#include <string>
#include <string_view>

namespace velmora {

// The absolute path as UTF-8 text, for error messages.
std::string FullPathText(const std::filesystem::path& file);

// Throws ProfileWriteError("Impossible d'écrire dans <full path>") and leaves the file as it
// was, with no temporary file behind, when any step fails.
void ReplaceFileAtomically(const std::filesystem::path& file, std::string_view bytes);

}  // namespace velmora

#pragma once

// The two services of the desktop the library uses, one implementation per platform.

#include <filesystem>
#include <string>

namespace velmora {

// Moves the file to the trash (the freedesktop trash on Linux, the Recycle Bin on Windows).
// Returns the reason of a failure, empty on success. Never deletes the file instead.
std::string MoveToDesktopTrash(const std::filesystem::path& file);

// Opens the file manager on folder. Returns the reason of a failure, empty on success.
std::string OpenInFileManager(const std::filesystem::path& folder);

}  // namespace velmora

#pragma once

// The system's folder picker (the file dialog in folder mode), for the library's folder.

#include <filesystem>
#include <optional>

#include <windows.h>

namespace velmora {

// The folder the player chose, opening at start when it exists; nothing when cancelled.
std::optional<std::filesystem::path> PickFolder(HWND owner, const std::filesystem::path& start);

}  // namespace velmora

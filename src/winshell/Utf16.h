#pragma once

// The one crossing between the core's UTF-8 and the UTF-16 of every Win32 call.

#include <filesystem>
#include <string>
#include <string_view>

namespace velmora {

std::wstring ToUtf16(std::string_view text);
std::string ToUtf8(std::wstring_view text);
// A path as the player reads it in a message, whatever the process code page.
std::string PathText(const std::filesystem::path& path);

}  // namespace velmora

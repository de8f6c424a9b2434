#pragma once

// A scratch file for targets that go through the file API: one per process, in a folder
// of its own that is removed when the process ends.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace velmora::fuzz {

// The folder, made on first use.
const std::filesystem::path& ScratchFolder();

// Replaces the scratch file's bytes and returns its path.
std::filesystem::path WriteScratchFile(std::string_view bytes);

// The bytes of a file, or the test aborts.
std::string ReadWholeFile(const std::filesystem::path& file);

}  // namespace velmora::fuzz

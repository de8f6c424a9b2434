#pragma once

// INI ("profile") files read and written one key at a time, with the rules of the Windows
// private-profile functions, so presets and settings stay interchangeable with files made
// on Windows. On disk Windows-1252, in memory UTF-8.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// "Impossible d'écrire dans <full path>", or a refused name or value.
class ProfileWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The empty text when the file, section or key is missing. Never creates or changes a file.
std::string ReadProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key);

// Replaces or adds one key, keeping every other line byte-identical; the file is replaced
// atomically. Throws ProfileWriteError and leaves the file as it was on failure.
void WriteProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value);

struct ProfileEntry {
  std::string section;
  std::string key;
  std::string value;
};

// Several keys in one atomic replace, as if written one after the other: either every key
// is written or the file stays as it was, so a failure never leaves a half-updated preset.
void WriteProfileStrings(const std::filesystem::path& file,
                         const std::vector<ProfileEntry>& entries);

}  // namespace velmora

#pragma once

// INI ("profile") files read and written one key at a time, with the rules of the Windows
// private-profile functions, so presets and settings stay interchangeable with files made
// on Windows. On disk Windows-1252, in memory UTF-8.

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "profile/ProfileText.h"

namespace velmora {

// "Impossible d'écrire dans <full path>", or a refused name or value.
class ProfileWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The largest profile file a load accepts: far above any real preset or settings file, low
// enough that a hostile file cannot exhaust memory.
inline constexpr std::uintmax_t kMaxProfileFileBytes = 16 * 1024 * 1024;

// "Fichier trop volumineux : <full path> dépasse 16 Mio (16777216 octets)".
class ProfileTooLargeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Why a file could not be read, as the system says it ("Permission denied").
class ProfileReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A profile file read once: every key comes from the same content, however the file changes
// afterwards, and reading many keys costs one reading of the file.
class ProfileSnapshot {
 public:
  // A missing or unreadable file reads as a file in which every key is missing. A file over
  // kMaxProfileFileBytes throws ProfileTooLargeError, its size checked before it is read.
  explicit ProfileSnapshot(const std::filesystem::path& file);
  // As above, but a file that is missing, not a regular file or unreadable throws
  // ProfileReadError, for a caller that must tell such a file from an empty one.
  static ProfileSnapshot OfReadableFile(const std::filesystem::path& file);
  // The index points into the bytes, so the snapshot stays where it was made.
  ProfileSnapshot(const ProfileSnapshot&) = delete;
  ProfileSnapshot& operator=(const ProfileSnapshot&) = delete;

  // What ReadProfileString gave for the file at the time it was read.
  std::string Read(std::string_view section, std::string_view key) const;

 private:
  explicit ProfileSnapshot(std::string bytes);

  std::string bytes_;
  ProfileSections sections_;
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

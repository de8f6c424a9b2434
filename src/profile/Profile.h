#pragma once

// INI ("profile") files read and written one key at a time, with the rules of the Windows
// private-profile functions, so presets and settings stay interchangeable with files made
// on Windows. On disk Windows-1252, in memory UTF-8.

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "profile/ProfileText.h"

namespace velmora {

// "Impossible d'écrire dans <full path>", or a refused name or value. For a file that could
// not be written, Reason() is the system's word for why ("Is a directory"), empty when none
// is known; the window shows the text alone, the command line adds the reason.
class ProfileWriteError : public std::runtime_error {
 public:
  explicit ProfileWriteError(const std::string& text, std::string reason = {})
      : std::runtime_error(text), reason_(std::move(reason)) {}
  const std::string& Reason() const { return reason_; }

 private:
  std::string reason_;
};

// Why a file that had to be there could not be read: the system's reason ("No such file or
// directory") or "not a regular file".
class ProfileReadError : public std::runtime_error {
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

// A profile file read once: every key comes from the same content, however the file changes
// afterwards, and reading many keys costs one reading of the file.
enum class MissingFile {
  kReadsAsEmpty,  // a missing or unreadable file reads as one in which every key is missing
  kIsAnError,     // ProfileReadError
};

class ProfileSnapshot {
 public:
  // The file is opened once: a file there when it is opened is read whole, however it is
  // renamed or removed meanwhile. A file over kMaxProfileFileBytes throws
  // ProfileTooLargeError, its size checked before it is read.
  explicit ProfileSnapshot(const std::filesystem::path& file,
                           MissingFile missing = MissingFile::kReadsAsEmpty);
  // The index points into the bytes, so the snapshot stays where it was made.
  ProfileSnapshot(const ProfileSnapshot&) = delete;
  ProfileSnapshot& operator=(const ProfileSnapshot&) = delete;

  // What ReadProfileString gave for the file at the time it was read.
  std::string Read(std::string_view section, std::string_view key) const;

 private:
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

// Throws, before anything is written or sent, what WriteProfileStrings would throw for the
// file itself: ProfileWriteError when the file is not a regular file or its folder cannot take
// a new file (a folder missing or not writable), ProfileTooLargeError for an existing file
// over kMaxProfileFileBytes.
void CheckProfileWritable(const std::filesystem::path& file);

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

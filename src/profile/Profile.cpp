#include "profile/Profile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <limits>
#include <optional>
#include <utility>

#include "profile/AtomicFile.h"
#include "profile/Cp1252.h"
#include "profile/ProfileText.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

// What a Windows caller gets back through its 2048-character buffer.
constexpr std::size_t kMaxValueLength = 2047;

constexpr std::uintmax_t kNoLimit = std::numeric_limits<std::uintmax_t>::max();

[[noreturn]] void RefuseTooLarge(const fs::path& file) {
  throw ProfileTooLargeError("Fichier trop volumineux : " + FullPathText(file) +
                             " dépasse 16 Mio (" + std::to_string(kMaxProfileFileBytes) +
                             " octets)");
}

// The bytes of a regular file, read through one open; nothing when it is missing or cannot
// be read, and then whyNot says why. A file over the limit is refused before its bytes are
// read, and again if it grows while it is read.
std::optional<std::string> ReadBytes(const fs::path& file, std::uintmax_t limit = kNoLimit,
                                     std::string* whyNot = nullptr) {
  auto fail = [whyNot](std::string reason) -> std::optional<std::string> {
    if (whyNot != nullptr) {
      *whyNot = std::move(reason);
    }
    return std::nullopt;
  };
  std::error_code error;
  const fs::file_status status = fs::status(file, error);
  if (error) {
    return fail(error.message());
  }
  // Checked before the open: opening a FIFO would wait for a writer.
  if (!fs::is_regular_file(status)) {
    return fail("not a regular file");
  }
  const std::uintmax_t size = fs::file_size(file, error);
  if (!error && size > limit) {
    RefuseTooLarge(file);
  }
  std::ifstream stream(file, std::ios::binary);
  if (!stream) {
    return fail(std::strerror(errno));
  }
  std::string bytes;
  if (!error) {
    bytes.reserve(static_cast<std::size_t>(size));
  }
  char buffer[1 << 14];
  while (stream.read(buffer, sizeof buffer) || stream.gcount() > 0) {
    bytes.append(buffer, static_cast<std::size_t>(stream.gcount()));
    if (bytes.size() > limit) {
      RefuseTooLarge(file);
    }
  }
  if (stream.bad() || !stream.eof()) {
    return fail(std::strerror(errno));
  }
  return bytes;
}

// The snapshot's bytes: a missing file is empty, or an error, as the caller chose.
std::string SnapshotBytes(const fs::path& file, MissingFile missing) {
  std::string whyNot;
  std::optional<std::string> bytes = ReadBytes(file, kMaxProfileFileBytes, &whyNot);
  if (!bytes && missing == MissingFile::kIsAnError) {
    throw ProfileReadError(whyNot);
  }
  return bytes ? std::move(*bytes) : std::string();
}

// The names as the file spells them; nothing when no name in a file can be spelled so.
std::optional<std::pair<std::string, std::string>> FileNames(std::string_view section,
                                                             std::string_view key) {
  try {
    return std::pair(Utf8ToCp1252(section), Utf8ToCp1252(key));
  } catch (const EncodingError&) {
    return std::nullopt;
  }
}

// A found value as a Windows caller gets it back: as a C string, so it ends at the first NUL,
// through a 2048-character buffer.
std::string CallerValue(std::optional<std::string> value) {
  if (!value) {
    return {};
  }
  value->resize(std::min({value->find('\0'), value->size(), kMaxValueLength}));
  return Cp1252ToUtf8(*value);
}

// A CR, LF or NUL would end the line early and leave the rest as a stray line.
bool BreaksLine(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

struct EncodedEntry {
  std::string section;
  std::string key;
  std::string value;
};

// `refusal` opens the error text, e.g. "Nom de clé refusé".
std::string ToFileText(std::string_view text, const std::string& refusal) {
  try {
    return Utf8ToCp1252(text);
  } catch (const EncodingError& error) {
    throw ProfileWriteError(refusal + " : " + error.what());
  }
}

// Checks and converts one entry the way the file will hold it, before anything is written.
EncodedEntry Encode(const ProfileEntry& entry) {
  if (BreaksLine(entry.section)) {
    throw ProfileWriteError("Nom de section refusé : il contient un saut de ligne ou un NUL");
  }
  if (BreaksLine(entry.key)) {
    throw ProfileWriteError("Nom de clé refusé : il contient un saut de ligne ou un NUL");
  }
  const std::string_view section = TrimBlanks(entry.section);
  const std::string_view key = TrimBlanks(entry.key);
  // Converted first: the messages below quote the names, so they must be valid text.
  std::string fileSection = ToFileText(section, "Nom de section refusé");
  std::string fileKey = ToFileText(key, "Nom de clé refusé");
  if (section.empty()) {
    throw ProfileWriteError("Nom de section vide");
  }
  if (key.empty()) {
    throw ProfileWriteError("Nom de clé vide dans [" + std::string(section) + "]");
  }
  // Such a key would read back as another key, a section header or a comment.
  if (key.find('=') != std::string_view::npos || key.front() == '[' || key.front() == ';') {
    throw ProfileWriteError("Nom de clé refusé : " + std::string(key));
  }
  const std::string refusal =
      "Valeur refusée pour " + std::string(key) + " dans [" + std::string(section) + "]";
  if (BreaksLine(entry.value)) {
    throw ProfileWriteError(refusal + " : elle contient un saut de ligne ou un NUL");
  }
  // Windows drops the leading blanks of a written value; the reader would drop them anyway.
  const std::size_t first = entry.value.find_first_not_of(" \t\v\f");
  const std::string_view value =
      first == std::string::npos ? std::string_view() : std::string_view(entry.value).substr(first);
  return {std::move(fileSection), std::move(fileKey), ToFileText(value, refusal)};
}

}  // namespace

ProfileSnapshot::ProfileSnapshot(const fs::path& file, MissingFile missing)
    : bytes_(SnapshotBytes(file, missing)), sections_(bytes_) {}

std::string ProfileSnapshot::Read(std::string_view section, std::string_view key) const {
  const auto names = FileNames(section, key);
  return names ? CallerValue(sections_.Find(names->first, names->second)) : std::string();
}

std::string ReadProfileString(const fs::path& file, std::string_view section,
                              std::string_view key) {
  const auto names = FileNames(section, key);
  if (!names) {
    return {};
  }
  const std::optional<std::string> bytes = ReadBytes(file);
  return bytes ? CallerValue(FindProfileValue(*bytes, names->first, names->second)) : std::string();
}

void WriteProfileString(const fs::path& file, std::string_view section, std::string_view key,
                        std::string_view value) {
  WriteProfileStrings(file, {{std::string(section), std::string(key), std::string(value)}});
}

void CheckProfileWritable(const fs::path& file) {
  std::error_code error;
  const fs::file_status status = fs::status(file, error);
  if (fs::is_regular_file(status) && fs::file_size(file, error) > kMaxProfileFileBytes && !error) {
    RefuseTooLarge(file);
  }
  CheckReplaceable(file);
}

void WriteProfileStrings(const fs::path& file, const std::vector<ProfileEntry>& entries) {
  std::vector<EncodedEntry> encoded;
  encoded.reserve(entries.size());
  for (const ProfileEntry& entry : entries) {
    encoded.push_back(Encode(entry));
  }
  if (encoded.empty()) {
    return;
  }
  std::string text;
  std::error_code error;
  if (fs::exists(file, error) || error) {
    // Content we cannot read is content we would lose. The cap keeps a huge file from
    // filling the memory only to be rewritten.
    std::string whyNot;
    std::optional<std::string> bytes = ReadBytes(file, kMaxProfileFileBytes, &whyNot);
    if (!bytes) {
      throw ProfileWriteError("Impossible d'écrire dans " + FullPathText(file), whyNot);
    }
    text = std::move(*bytes);
  }
  for (const EncodedEntry& entry : encoded) {
    SetProfileValue(text, entry.section, entry.key, entry.value);
  }
  ReplaceFileAtomically(file, text);
}

}  // namespace velmora

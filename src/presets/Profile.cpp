#include "presets/Profile.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <utility>

#include "presets/AtomicFile.h"
#include "presets/Cp1252.h"
#include "presets/ProfileText.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

// What a Windows caller gets back through its 2048-character buffer.
constexpr std::size_t kMaxValueLength = 2047;

// The bytes of a regular file; nothing when it is missing or cannot be read.
std::optional<std::string> ReadBytes(const fs::path& file) {
  std::error_code error;
  if (!fs::is_regular_file(file, error)) {
    return std::nullopt;
  }
  std::ifstream stream(file, std::ios::binary);
  if (!stream) {
    return std::nullopt;
  }
  std::string bytes;
  char buffer[1 << 14];
  while (stream.read(buffer, sizeof buffer) || stream.gcount() > 0) {
    bytes.append(buffer, static_cast<std::size_t>(stream.gcount()));
  }
  if (stream.bad() || !stream.eof()) {
    return std::nullopt;
  }
  return bytes;
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

std::string ReadProfileString(const fs::path& file, std::string_view section,
                              std::string_view key) {
  std::string fileSection;
  std::string fileKey;
  try {
    fileSection = Utf8ToCp1252(section);
    fileKey = Utf8ToCp1252(key);
  } catch (const EncodingError&) {
    return {};  // no name in the file can be spelled so
  }
  const std::optional<std::string> bytes = ReadBytes(file);
  if (!bytes) {
    return {};
  }
  std::optional<std::string> value = FindProfileValue(*bytes, fileSection, fileKey);
  if (!value) {
    return {};
  }
  // Windows hands the value back as a C string: it ends at the first NUL.
  value->resize(std::min({value->find('\0'), value->size(), kMaxValueLength}));
  return Cp1252ToUtf8(*value);
}

void WriteProfileString(const fs::path& file, std::string_view section, std::string_view key,
                        std::string_view value) {
  WriteProfileStrings(file, {{std::string(section), std::string(key), std::string(value)}});
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
    // Content we cannot read is content we would lose.
    std::optional<std::string> bytes = ReadBytes(file);
    if (!bytes) {
      throw ProfileWriteError("Impossible d'écrire dans " + FullPathText(file));
    }
    text = std::move(*bytes);
  }
  for (const EncodedEntry& entry : encoded) {
    SetProfileValue(text, entry.section, entry.key, entry.value);
  }
  ReplaceFileAtomically(file, text);
}

}  // namespace velmora

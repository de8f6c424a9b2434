#include "library/LibraryIndexFile.h"

#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/Variax.h"
#include "catalogue/Vetta2_Enceintes.h"
#include "library/PresetReading.h"
#include "profile/AtomicFile.h"

namespace velmora {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kMagic = "VELMORA LIBRARY INDEX 1\n";
// Far above any real index of kMaxLibraryFiles entries; a larger file is not read.
constexpr std::uintmax_t kMaxIndexBytes = 256u * 1024 * 1024;

std::uint64_t Fnv1a(std::string_view bytes) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (const char c : bytes) {
    hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
  }
  return hash;
}

// Paths as bytes: the native bytes here, UTF-8 on Windows.
std::string PathBytes(const fs::path& path) {
#ifdef _WIN32
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
#else
  return path.native();
#endif
}

fs::path PathOfBytes(const std::string& bytes) {
#ifdef _WIN32
  return fs::path(std::u8string(bytes.begin(), bytes.end()));
#else
  return fs::path(bytes);
#endif
}

class Writer {
 public:
  void Number(std::uint64_t value) {
    for (int i = 0; i < 8; ++i) {
      bytes_ += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
  }
  void Text(std::string_view text) {
    Number(text.size());
    bytes_ += text;
  }
  std::string Finish() {
    Number(Fnv1a(bytes_));
    return std::move(bytes_);
  }
  std::string bytes_{kMagic};
};

class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}

  std::optional<std::uint64_t> Number() {
    if (bytes_.size() - at_ < 8) {
      return std::nullopt;
    }
    std::uint64_t value = 0;
    for (int i = 0; i < 8; ++i) {
      value |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes_[at_++])) << (8 * i);
    }
    return value;
  }
  std::optional<std::uint64_t> NumberUpTo(std::uint64_t most) {
    const auto value = Number();
    return value && *value <= most ? value : std::nullopt;
  }
  std::optional<std::string> Text() {
    const auto size = Number();
    if (!size || *size > bytes_.size() - at_) {
      return std::nullopt;
    }
    std::string text(bytes_.substr(at_, static_cast<std::size_t>(*size)));
    at_ += static_cast<std::size_t>(*size);
    return text;
  }
  bool AtEnd() const { return at_ == bytes_.size(); }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

void WriteEntry(Writer& out, const LibraryEntry& entry) {
  out.Text(PathBytes(entry.relativePath));
  out.Number(entry.stamp.size);
  out.Number(static_cast<std::uint64_t>(entry.stamp.modified));
  out.Text(entry.error);
  out.Number(static_cast<std::uint64_t>(entry.content.guitar));
  for (const ChannelContent& channel : entry.content.channels) {
    out.Number(channel.powerOn ? 1 : 0);
    out.Number(static_cast<std::uint64_t>(channel.amp));
    out.Number(static_cast<std::uint64_t>(channel.cab));
    for (const int knob : channel.knobs) {
      out.Number(static_cast<std::uint64_t>(knob));
    }
  }
}

std::optional<LibraryEntry> ReadEntry(Reader& in) {
  LibraryEntry entry;
  const auto path = in.Text();
  const auto size = in.Number();
  const auto modified = in.Number();
  auto error = in.Text();
  const auto guitar = in.NumberUpTo(kGuitarRecordCount);
  if (!path || path->empty() || !size || !modified || !error || !guitar) {
    return std::nullopt;
  }
  entry.relativePath = PathOfBytes(*path);
  entry.stamp = {*size, static_cast<std::int64_t>(*modified)};
  entry.error = std::move(*error);
  entry.content.guitar = static_cast<int>(*guitar);
  for (ChannelContent& channel : entry.content.channels) {
    const auto power = in.NumberUpTo(1);
    const auto amp = in.NumberUpTo(kAmpRecordCount);
    const auto cab = in.NumberUpTo(kCabRecordCount);
    if (!power || !amp || !cab) {
      return std::nullopt;
    }
    channel = {*power == 1, static_cast<int>(*amp), static_cast<int>(*cab), {}};
    for (int& knob : channel.knobs) {
      const auto value = in.NumberUpTo(kMaxKnobValue);
      if (!value) {
        return std::nullopt;
      }
      knob = static_cast<int>(*value);
    }
  }
  // A relative path that climbs out of the folder or names it whole is no entry of it.
  if (entry.relativePath.is_absolute() || entry.relativePath.has_root_name()) {
    return std::nullopt;
  }
  for (const fs::path& part : entry.relativePath) {
    if (part == ".." || part == ".") {
      return std::nullopt;
    }
  }
  return entry;
}

std::optional<std::string> ReadWholeFile(const fs::path& file) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(file, error);
  if (error || size > kMaxIndexBytes) {
    return std::nullopt;
  }
  std::ifstream stream(file, std::ios::binary);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (!stream.read(bytes.data(), static_cast<std::streamsize>(size)) ||
      stream.peek() != std::ifstream::traits_type::eof()) {
    return std::nullopt;
  }
  return bytes;
}

}  // namespace

std::vector<LibraryEntry> ReadLibraryIndex(const fs::path& indexFile, const fs::path& folder) {
  const std::optional<std::string> bytes = ReadWholeFile(indexFile);
  if (!bytes || bytes->size() < kMagic.size() + 8 || !bytes->starts_with(kMagic)) {
    return {};
  }
  const std::string_view body = std::string_view(*bytes).substr(0, bytes->size() - 8);
  Reader checksum(std::string_view(*bytes).substr(body.size()));
  if (checksum.Number() != Fnv1a(body)) {
    return {};
  }
  Reader in(body.substr(kMagic.size()));
  const auto storedFolder = in.Text();
  const auto count = in.Number();
  if (!storedFolder || *storedFolder != PathBytes(folder) || !count) {
    return {};
  }
  std::vector<LibraryEntry> entries;
  for (std::uint64_t i = 0; i < *count; ++i) {
    std::optional<LibraryEntry> entry = ReadEntry(in);
    if (!entry) {
      return {};
    }
    entries.push_back(std::move(*entry));
  }
  if (!in.AtEnd()) {
    return {};
  }
  return entries;
}

void WriteLibraryIndex(const fs::path& indexFile, const fs::path& folder,
                       const std::vector<LibraryEntry>& entries) {
  Writer out;
  out.Text(PathBytes(folder));
  std::uint64_t count = 0;
  for (const LibraryEntry& entry : entries) {
    count += entry.readFailed ? 0 : 1;
  }
  out.Number(count);
  for (const LibraryEntry& entry : entries) {
    if (!entry.readFailed) {
      WriteEntry(out, entry);
    }
  }
  ReplaceFileAtomically(indexFile, out.Finish());
}

}  // namespace velmora

#include "live/SetlistFile.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "profile/AtomicFile.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kExtension = ".vmp";
constexpr int kLastBank = 16;

fs::path Utf8Path(std::string_view text) {
  return fs::path(std::u8string(text.begin(), text.end()));
}

std::string Utf8Text(const std::u8string& text) {
  return std::string(text.begin(), text.end());
}

bool Blank(std::string_view text) {
  return text.find_first_not_of(" \t") == std::string_view::npos;
}

bool EndsWithExtension(std::string_view text) {
  if (text.size() <= kExtension.size()) {
    return false;
  }
  return std::equal(kExtension.begin(), kExtension.end(), text.end() - kExtension.size(),
                    [](char wanted, char c) {
                      return wanted == (c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c);
                    });
}

// "1A" .. "16D", written as the preset panel writes it.
bool IsPresetKey(std::string_view key) {
  if (key.size() < 2 || key.size() > 3 || key.front() == '0') {
    return false;
  }
  int bank = 0;
  for (char digit : key.substr(0, key.size() - 1)) {
    if (digit < '0' || digit > '9') {
      return false;
    }
    bank = bank * 10 + (digit - '0');
  }
  return bank <= kLastBank && key.back() >= 'A' && key.back() <= 'D';
}

}  // namespace

std::optional<SetlistItem> ReadStoredItem(std::string_view text) {
  for (std::string_view group : {std::string_view("USER"), std::string_view("FACTORY")}) {
    if (text.size() > group.size() && text.substr(0, group.size()) == group &&
        text[group.size()] == ' ' && IsPresetKey(text.substr(group.size() + 1))) {
      return SetlistItem{{}, std::string(group), std::string(text.substr(group.size() + 1)), {}};
    }
  }
  return std::nullopt;
}

namespace {

SetlistItem ReadItem(std::string_view text, const fs::path& folder, std::string_view fileName,
                     std::size_t number) {
  const std::size_t tab = text.find('\t');
  const std::string_view what = text.substr(0, tab);
  std::optional<SetlistItem> item = ReadStoredItem(what);
  if (!item && EndsWithExtension(what)) {
    const fs::path path = Utf8Path(what);
    item = SetlistItem{(path.is_absolute() ? path : folder / path).lexically_normal(), {}, {}, {}};
  }
  if (!item) {
    throw SetlistError(std::string(fileName) + ":" + std::to_string(number) +
                       ": neither a preset file (.vmp) nor USER or FACTORY and a key from 1A "
                       "to 16D: \"" +
                       std::string(what) + "\"");
  }
  if (tab != std::string_view::npos) {
    item->label = std::string(text.substr(tab + 1));
  }
  return *item;
}

std::string ItemText(const SetlistItem& item, const fs::path& folder) {
  std::string text;
  if (item.IsFile()) {
    const fs::path relative = item.file.lexically_relative(folder.lexically_normal());
    const bool under = !relative.empty() && *relative.begin() != "..";
    text = under ? Utf8Text(relative.generic_u8string()) : Utf8Text(item.file.u8string());
  } else {
    text = item.group + " " + item.key;
  }
  return item.label.empty() ? text : text + "\t" + item.label;
}

}  // namespace

Setlist ReadSetlistText(std::string_view bytes, const fs::path& folder, std::string_view fileName) {
  const bool mark = bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark;
  if (mark) {
    bytes.remove_prefix(kByteOrderMark.size());
  }
  std::vector<Setlist::Line> lines;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    Setlist::Line line;
    line.text = std::string(bytes.substr(0, end));
    line.ending = end == std::string_view::npos ? "" : "\n";
    if (!line.ending.empty() && !line.text.empty() && line.text.back() == '\r') {
      line.text.pop_back();
      line.ending = "\r\n";
    }
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (!Blank(line.text) && line.text.front() != '#') {
      line.item = ReadItem(line.text, folder, fileName, lines.size() + 1);
    }
    lines.push_back(std::move(line));
  }
  return Setlist(folder, std::move(lines), mark);
}

Setlist ReadSetlistFile(const fs::path& file) {
  const std::string name = FullPathText(file);
  std::ifstream in(file, std::ios::binary);
  std::error_code error;
  if (!in || !fs::is_regular_file(file, error)) {
    throw SetlistError("Cannot read the setlist " + name);
  }
  std::string bytes;
  bytes.resize(kMaxSetlistBytes + 1);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (in.bad()) {
    throw SetlistError("Cannot read the setlist " + name);
  }
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  if (bytes.size() > kMaxSetlistBytes) {
    throw SetlistError(name + ": a setlist holds at most 1 MiB");
  }
  return ReadSetlistText(bytes, fs::absolute(file, error).parent_path().lexically_normal(), name);
}

std::string SetlistText(const Setlist& setlist) {
  std::string bytes = setlist.ByteOrderMark() ? std::string(kByteOrderMark) : std::string();
  const std::vector<Setlist::Line>& lines = setlist.Lines();
  const std::string usual =
      lines.empty() || lines.front().ending.empty() ? "\n" : lines.front().ending;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Setlist::Line& line = lines[i];
    bytes += line.edited ? ItemText(*line.item, setlist.Folder()) : line.text;
    // A last line without an ending that an edit moved up still needs one.
    bytes += line.ending.empty() && i + 1 < lines.size() ? usual : line.ending;
  }
  return bytes;
}

void WriteSetlistFile(Setlist& setlist, const fs::path& file) {
  std::error_code error;
  Setlist moved = setlist;
  moved.MoveTo(fs::absolute(file, error).parent_path().lexically_normal());
  ReplaceFileAtomically(file, SetlistText(moved));
  setlist = std::move(moved);
}

std::vector<fs::path> MissingFiles(const Setlist& setlist) {
  std::vector<fs::path> missing;
  for (std::size_t i = 0; i < setlist.Count(); ++i) {
    const SetlistItem& item = setlist.Item(i);
    std::error_code error;
    if (item.IsFile() && !fs::is_regular_file(item.file, error) &&
        std::find(missing.begin(), missing.end(), item.file) == missing.end()) {
      missing.push_back(item.file);
    }
  }
  return missing;
}

std::string MissingFilesWarning(const Setlist& setlist, const fs::path& file) {
  const std::vector<fs::path> missing = MissingFiles(setlist);
  if (missing.empty()) {
    return {};
  }
  std::string text = "Missing from the setlist " + FullPathText(file) + ":";
  for (const fs::path& path : missing) {
    text += "\n  " + Utf8Text(path.u8string());
  }
  return text;
}

}  // namespace velmora

#include "library/PresetLibrary.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "library/FolderWalk.h"
#include "library/LibraryIndexFile.h"
#include "library/LibrarySearch.h"
#include "library/PresetReading.h"
#include "library/TextFolding.h"
#include "profile/Profile.h"

namespace velmora {

namespace {

namespace fs = std::filesystem;

std::string RelativeText(const fs::path& relative) {
#ifdef _WIN32
  const std::u8string text = relative.generic_u8string();
  return std::string(text.begin(), text.end());
#else
  return DecodeNameBytes(relative.generic_string());
#endif
}

std::string StemText(const fs::path& relative) {
  const std::string name = RelativeText(relative.filename());
  return name.substr(0, name.size() - std::string_view(".vmp").size());
}

void FillTexts(LibraryEntry& entry) {
  entry.relativeText = RelativeText(entry.relativePath);
  entry.name = StemText(entry.relativePath);
  entry.sortKey = FoldText(entry.relativeText);
  // The extension is no word of the name.
  std::string words = entry.relativeText;
  words.resize(words.size() - std::string_view(".vmp").size());
  entry.pathWords = FoldedWords(words);
}

bool SameEntry(const LibraryEntry& a, const LibraryEntry& b) {
  return a.stamp == b.stamp && a.error == b.error && a.content == b.content;
}

}  // namespace

PresetLibrary::PresetLibrary(fs::path folder, fs::path indexFile)
    : folder_(std::move(folder)), indexFile_(std::move(indexFile)) {}

bool PresetLibrary::Refresh() {
  FolderListing listing = ListPresetFiles(folder_);
  std::vector<LibraryEntry> known;
  bool fromIndex = false;
  if (!indexRead_ && !indexFile_.empty()) {
    known = ReadLibraryIndex(indexFile_, folder_);
    fromIndex = true;
  } else {
    known = std::move(entries_);
  }
  indexRead_ = true;
  std::unordered_map<fs::path::string_type, std::size_t> byPath;
  for (std::size_t i = 0; i < known.size(); ++i) {
    byPath.emplace(known[i].relativePath.native(), i);
  }

  bool changed = fromIndex || listing.files.size() != known.size();
  problems_ = std::move(listing.problems);
  stoppedAtLimit_ = listing.stoppedAtLimit;
  // The usual case, every few seconds while the window is open: keep the sorted list as it is.
  if (!changed && std::ranges::all_of(listing.files, [&](const FoundFile& file) {
        const auto found = byPath.find(file.relativePath.native());
        return found != byPath.end() && file.problem.empty() &&
               known[found->second].stamp == file.stamp && !known[found->second].readFailed;
      })) {
    entries_ = std::move(known);
    return false;
  }
  std::vector<LibraryEntry> entries;
  entries.reserve(listing.files.size());
  for (FoundFile& file : listing.files) {
    const auto found = byPath.find(file.relativePath.native());
    if (found != byPath.end() && file.problem.empty()) {
      LibraryEntry& old = known[found->second];
      if (old.stamp == file.stamp && !old.readFailed) {
        if (old.relativeText.empty()) {
          FillTexts(old);
        }
        entries.push_back(std::move(old));
        continue;
      }
    }
    LibraryEntry entry;
    entry.relativePath = std::move(file.relativePath);
    entry.stamp = file.stamp;
    if (file.problem.empty()) {
      ReadEntryContent(folder_ / entry.relativePath, entry);
    } else {
      entry.error = std::move(file.problem);
      entry.readFailed = true;
    }
    FillTexts(entry);
    changed = changed || found == byPath.end() || !SameEntry(entry, known[found->second]);
    entries.push_back(std::move(entry));
  }
  std::sort(entries.begin(), entries.end(), [](const LibraryEntry& a, const LibraryEntry& b) {
    return a.sortKey != b.sortKey ? a.sortKey < b.sortKey
                                  : a.relativePath.native() < b.relativePath.native();
  });
  entries_ = std::move(entries);
  if (changed && !indexFile_.empty()) {
    try {
      WriteLibraryIndex(indexFile_, folder_, entries_);
    } catch (const ProfileWriteError&) {
      // The index only saves time: without it the next start reads every file again.
    }
  }
  return changed;
}

std::vector<std::size_t> PresetLibrary::Search(std::string_view query) const {
  const std::vector<SearchTerm> terms = ParseSearch(query);
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (EntryMatches(entries_[i], terms)) {
      found.push_back(i);
    }
  }
  return found;
}

}  // namespace velmora

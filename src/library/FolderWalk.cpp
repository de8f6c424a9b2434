#include "library/FolderWalk.h"

#include <algorithm>
#include <set>
#include <system_error>
#include <utility>

#include "profile/AtomicFile.h"

#ifdef _WIN32
#include <windows.h>

#include <chrono>
#else
#include <sys/stat.h>

#include <cerrno>
#endif

namespace velmora {

namespace {

namespace fs = std::filesystem;

bool HasPresetExtension(const fs::path::string_type& name) {
  constexpr std::string_view kExtension = ".vmp";
  if (name.size() <= kExtension.size()) {
    return false;
  }
  const std::size_t start = name.size() - kExtension.size();
  for (std::size_t i = 0; i < kExtension.size(); ++i) {
    auto c = name[start + i];
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<decltype(c)>(c - 'A' + 'a');
    }
    if (c != static_cast<decltype(c)>(kExtension[i])) {
      return false;
    }
  }
  return true;
}

bool IsHiddenFolder(const fs::directory_entry& entry) {
  if (entry.path().filename().native().starts_with('.')) {
    return true;
  }
#ifdef _WIN32
  const DWORD attributes = GetFileAttributesW(entry.path().c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN) != 0) {
    return true;
  }
#endif
  return false;
}

enum class Kind { Folder, File, Other };

// What one stat of the entry, links followed, says of it: a rescan of a large library is
// mostly these.
struct EntryFacts {
  std::error_code error;
  Kind kind = Kind::Other;
  FileStamp stamp;
};

EntryFacts FactsOf(const fs::path& path) {
  EntryFacts facts;
#ifdef _WIN32
  const fs::file_status status = fs::status(path, facts.error);
  if (facts.error) {
    return facts;
  }
  facts.kind = fs::is_directory(status)      ? Kind::Folder
               : fs::is_regular_file(status) ? Kind::File
                                             : Kind::Other;
  if (facts.kind == Kind::File) {
    facts.stamp.size = fs::file_size(path, facts.error);
    const fs::file_time_type time = fs::last_write_time(path, facts.error);
    facts.stamp.modified = std::chrono::duration_cast<std::chrono::nanoseconds>(
                               std::chrono::file_clock::to_sys(time).time_since_epoch())
                               .count();
  }
#else
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    facts.error = std::error_code(errno, std::generic_category());
    return facts;
  }
  facts.kind = S_ISDIR(info.st_mode)   ? Kind::Folder
               : S_ISREG(info.st_mode) ? Kind::File
                                       : Kind::Other;
  facts.stamp.size = static_cast<std::uintmax_t>(info.st_size);
  facts.stamp.modified =
      static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
#endif
  return facts;
}

std::string FolderErrorText(const fs::path& folder, const std::error_code& error) {
  return "Impossible de lire le dossier " + FullPathText(folder) + " : " + error.message();
}

class Walk {
 public:
  Walk(std::size_t limit, FolderListing& listing) : limit_(limit), listing_(listing) {}

  // False once the limit stopped the walk.
  bool Folder(const fs::path& folder, const fs::path& relative, bool top) {
    std::error_code error;
    const fs::path real = fs::canonical(folder, error);
    if (!error && !visited_.insert(real).second) {
      listing_.problems.push_back("Boucle de liens : " + FullPathText(folder) + " mène à " +
                                  FullPathText(real) + ", déjà listé");
      return true;
    }
    std::vector<std::pair<fs::path::string_type, fs::directory_entry>> children;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
      children.emplace_back(it->path().filename().native(), *it);
    }
    if (error) {
      if (top) {
        throw LibraryFolderError(FolderErrorText(folder, error));
      }
      listing_.problems.push_back(FolderErrorText(folder, error));
    }
    std::sort(children.begin(), children.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [name, child] : children) {
      if (!Child(child, relative / name)) {
        return false;
      }
    }
    return true;
  }

 private:
  bool Child(const fs::directory_entry& child, const fs::path& relative) {
    const EntryFacts facts = FactsOf(child.path());
    if (!facts.error && facts.kind == Kind::Folder) {
      return IsHiddenFolder(child) || Folder(child.path(), relative, false);
    }
    if (!HasPresetExtension(child.path().filename().native())) {
      return true;
    }
    if (listing_.files.size() == limit_) {
      listing_.stoppedAtLimit = true;
      return false;
    }
    FoundFile file{.relativePath = relative, .stamp = facts.stamp, .problem = {}};
    if (facts.error) {
      file.problem = UnreadableText(child.path(), facts.error.message());
    } else if (facts.kind != Kind::File) {
      file.problem = UnreadableText(child.path(), "not a regular file");
    }
    listing_.files.push_back(std::move(file));
    return true;
  }

  std::size_t limit_;
  FolderListing& listing_;
  std::set<fs::path> visited_;
};

}  // namespace

FolderListing ListPresetFiles(const fs::path& folder, std::size_t limit) {
  FolderListing listing;
  Walk(limit, listing).Folder(folder, {}, true);
  return listing;
}

std::string UnreadableText(const fs::path& file, const std::string& reason) {
  return "Impossible de lire " + FullPathText(file) + " : " + reason;
}

std::string LimitReachedText(std::size_t limit) {
  return "La bibliothèque s'arrête à " + std::to_string(limit) +
         " presets : les suivants ne sont pas listés";
}

}  // namespace velmora

#include "library/FolderWalk.h"

#include <algorithm>
#include <set>
#include <system_error>

#include "profile/AtomicFile.h"

#ifdef _WIN32
#include <windows.h>
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
    std::vector<fs::directory_entry> children;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
      children.push_back(*it);
    }
    if (error) {
      if (top) {
        throw LibraryFolderError(FolderErrorText(folder, error));
      }
      listing_.problems.push_back(FolderErrorText(folder, error));
    }
    std::sort(children.begin(), children.end(),
              [](const fs::directory_entry& a, const fs::directory_entry& b) {
                return a.path().filename().native() < b.path().filename().native();
              });
    for (const fs::directory_entry& child : children) {
      if (!Child(child, relative / child.path().filename())) {
        return false;
      }
    }
    return true;
  }

 private:
  bool Child(const fs::directory_entry& child, const fs::path& relative) {
    std::error_code error;
    if (child.is_directory(error)) {
      return IsHiddenFolder(child) || Folder(child.path(), relative, false);
    }
    if (!HasPresetExtension(child.path().filename().native())) {
      return true;
    }
    if (listing_.files.size() == limit_) {
      listing_.stoppedAtLimit = true;
      return false;
    }
    FoundFile file{.relativePath = relative, .stamp = {}, .problem = {}};
    const fs::file_status status = child.status(error);
    if (error) {
      file.problem = UnreadableText(child.path(), error.message());
    } else if (!fs::is_regular_file(status)) {
      file.problem = UnreadableText(child.path(), "ce n'est pas un fichier ordinaire");
    } else {
      file.stamp.size = child.file_size(error);
      if (!error) {
        file.stamp.modified = child.last_write_time(error).time_since_epoch().count();
      }
      if (error) {
        file.problem = UnreadableText(child.path(), error.message());
      }
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

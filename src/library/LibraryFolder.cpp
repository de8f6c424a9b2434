#include "library/LibraryFolder.h"

#include <string>
#include <system_error>

#include "library/FolderWalk.h"
#include "profile/AtomicFile.h"
#include "profile/Profile.h"

namespace velmora {

namespace {

namespace fs = std::filesystem;

fs::path PathOfText(const std::string& text) {
  return fs::path(std::u8string(text.begin(), text.end()));
}

std::string TextOfPath(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace

fs::path LibraryFolder(const ProgramFolders& folders) {
  const std::string chosen =
      ReadProfileString(folders.ConfigFile(), kLibrarySection, kLibraryFolderKey);
  if (!chosen.empty()) {
    return folders.files / PathOfText(chosen);
  }
  const fs::path folder = folders.files / "presets";
  std::error_code error;
  fs::create_directories(folder, error);
  if (error) {
    throw LibraryFolderError("Impossible de créer le dossier " + FullPathText(folder) + " : " +
                             error.message());
  }
  return folder;
}

void SetLibraryFolder(const ProgramFolders& folders, const fs::path& folder) {
  WriteProfileString(folders.ConfigFile(), kLibrarySection, kLibraryFolderKey, TextOfPath(folder));
}

fs::path LibraryIndexFile(const ProgramFolders& folders) {
  return folders.files / "library-index.bin";
}

}  // namespace velmora

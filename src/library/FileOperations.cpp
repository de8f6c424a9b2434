#include "library/FileOperations.h"

#include <cerrno>
#include <string>
#include <system_error>

#include "library/DesktopShell.h"
#include "profile/AtomicFile.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>
#endif

namespace velmora {

namespace {

namespace fs = std::filesystem;

fs::path PathOfText(std::string_view text) {
  return fs::path(std::u8string(text.begin(), text.end()));
}

std::string NameText(const fs::path& path) {
  const std::u8string text = path.filename().u8string();
  return std::string(text.begin(), text.end());
}

// Windows refuses these in names; refusing them everywhere keeps the library's files
// movable between the two systems.
bool IsFitName(std::string_view name) {
  if (name.empty() || name == "." || name == ".." || name.back() == '.' || name.back() == ' ') {
    return false;
  }
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 0x20 ||
        std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) {
      return false;
    }
  }
  return true;
}

void CheckName(std::string_view name) {
  if (!IsFitName(name)) {
    throw LibraryOperationError("Nom refusé : « " + std::string(name) +
                                " » (vide, terminé par un point ou un blanc, ou avec l'un de / "
                                "\\ : * ? \" < > | ou un caractère de contrôle)");
  }
}

std::string Reason(const fs::filesystem_error& error) {
  return error.code().message();
}

bool Exists(const fs::path& path) {
  std::error_code error;
  return fs::exists(fs::symlink_status(path, error));
}

}  // namespace

void RenameWithoutReplacing(const fs::path& from, const fs::path& to) {
#ifdef _WIN32
  // Without MOVEFILE_REPLACE_EXISTING an existing target is refused; a target that is the
  // same file under another letter case is renamed.
  if (!MoveFileExW(from.c_str(), to.c_str(), 0)) {
    const DWORD reason = GetLastError();
    throw fs::filesystem_error(
        "rename", from, to,
        reason == ERROR_ALREADY_EXISTS || reason == ERROR_FILE_EXISTS
            ? std::make_error_code(std::errc::file_exists)
            : std::error_code(static_cast<int>(reason), std::system_category()));
  }
#else
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
    return;
  }
  if (errno != EINVAL && errno != ENOSYS) {
    throw fs::filesystem_error("rename", from, to, std::error_code(errno, std::generic_category()));
  }
  // A file system without the flag: a hard link refuses an existing target as well.
  if (link(from.c_str(), to.c_str()) != 0) {
    throw fs::filesystem_error("rename", from, to, std::error_code(errno, std::generic_category()));
  }
  if (unlink(from.c_str()) != 0) {
    const int reason = errno;
    unlink(to.c_str());
    throw fs::filesystem_error("rename", from, to,
                               std::error_code(reason, std::generic_category()));
  }
#endif
}

fs::path RenamePreset(const fs::path& file, std::string_view newName) {
  CheckName(newName);
  const fs::path target = file.parent_path() / PathOfText(std::string(newName) + ".vmp");
  const std::string failure =
      "Impossible de renommer " + FullPathText(file) + " en " + NameText(target) + " : ";
  if (target == file) {
    return target;
  }
  if (!Exists(file)) {
    throw LibraryOperationError(
        failure + std::make_error_code(std::errc::no_such_file_or_directory).message());
  }
  try {
    RenameWithoutReplacing(file, target);
  } catch (const fs::filesystem_error& error) {
    if (error.code() == std::errc::file_exists) {
      throw LibraryOperationError(failure + "un fichier de ce nom existe déjà");
    }
    throw LibraryOperationError(failure + Reason(error));
  }
  return target;
}

fs::path DuplicatePreset(const fs::path& file) {
  const std::string failure = "Impossible de dupliquer " + FullPathText(file) + " : ";
  const fs::path folder = file.parent_path();
  const fs::path stem = file.stem();
  const fs::path extension = file.extension();
  for (int number = 2;; ++number) {
    fs::path target = folder / stem;
    target += " (" + std::to_string(number) + ")";
    target += extension;
    if (Exists(target)) {
      continue;
    }
    const fs::path temporary = NewTemporaryPath(target);
    try {
      fs::copy_file(file, temporary);
      RenameWithoutReplacing(temporary, target);
      return target;
    } catch (const fs::filesystem_error& error) {
      std::error_code ignored;
      fs::remove(temporary, ignored);
      // Another program took the name meanwhile: the next number.
      if (error.code() == std::errc::file_exists && error.path1() == temporary) {
        continue;
      }
      throw LibraryOperationError(failure + Reason(error));
    }
  }
}

void TrashPreset(const fs::path& file) {
  const std::string reason = MoveToDesktopTrash(file);
  if (!reason.empty()) {
    throw LibraryOperationError("Impossible de mettre " + FullPathText(file) +
                                " à la corbeille : " + reason);
  }
}

fs::path NewPresetPath(const fs::path& folder, std::string_view name) {
  CheckName(name);
  const fs::path target = folder / PathOfText(std::string(name) + ".vmp");
  if (Exists(target)) {
    throw LibraryOperationError("Impossible d'enregistrer " + FullPathText(target) +
                                " : un fichier de ce nom existe déjà");
  }
  return target;
}

void ShowPresetInFolder(const fs::path& file) {
  const std::string reason = OpenInFileManager(file.parent_path());
  if (!reason.empty()) {
    throw LibraryOperationError("Impossible d'ouvrir le dossier de " + FullPathText(file) + " : " +
                                reason);
  }
}

}  // namespace velmora

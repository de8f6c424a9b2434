#include "profile/ProgramFolder.h"

#include <cstdlib>
#include <system_error>

#ifdef _WIN32
#include <windows.h>

#include <shlobj.h>

#include <vector>
#endif

namespace velmora {

namespace {

#ifndef _WIN32
bool IsPortable(const std::filesystem::path& folder) {
  std::error_code error;
  return std::filesystem::is_directory(folder / "images" / "Guitares", error);
}

bool IsSet(const char* value) {
  return value != nullptr && *value != '\0';
}
#endif

}  // namespace

std::filesystem::path ExecutableFolder() {
#ifdef _WIN32
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      return std::filesystem::current_path();
    }
    if (length < buffer.size()) {
      return std::filesystem::path(std::wstring(buffer.data(), length)).parent_path();
    }
    buffer.resize(buffer.size() * 2);
  }
#else
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) {
    return std::filesystem::current_path();
  }
  return executable.parent_path();
#endif
}

ProgramFolders ResolveProgramFolders(const std::filesystem::path& executableFolder,
                                     const char* configHome, const char* home) {
#ifdef _WIN32
  (void)configHome;
  (void)home;
  return {executableFolder, executableFolder};
#else
  if (IsPortable(executableFolder)) {
    return {executableFolder, executableFolder};
  }
  std::filesystem::path configFolder;
  if (IsSet(configHome)) {
    configFolder = std::filesystem::path(configHome) / "velmora";
  } else if (IsSet(home)) {
    configFolder = std::filesystem::path(home) / ".config" / "velmora";
  } else {
    // Nowhere else to keep the settings: fall back on the program's own folder.
    configFolder = executableFolder;
  }
  return {configFolder, executableFolder.parent_path() / "share" / "velmora"};
#endif
}

ProgramFolders ResolveWindowsProgramFolders(const std::filesystem::path& executableFolder,
                                            const std::filesystem::path& appData) {
  std::error_code error;
  if (appData.empty() || !std::filesystem::exists(executableFolder / kWindowsUninstaller, error)) {
    return {executableFolder, executableFolder};
  }
  return {appData / "Velmora", executableFolder};
}

ProgramFolders LocateProgramFolders() {
#ifdef _WIN32
  std::filesystem::path appData;
  wchar_t buffer[MAX_PATH];
  if (SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer) == S_OK) {
    appData = buffer;
  }
  ProgramFolders folders = ResolveWindowsProgramFolders(ExecutableFolder(), appData);
#else
  ProgramFolders folders = ResolveProgramFolders(ExecutableFolder(), std::getenv("XDG_CONFIG_HOME"),
                                                 std::getenv("HOME"));
#endif
  // A failure here shows later, as the write error of the first settings file.
  std::error_code ignored;
  std::filesystem::create_directories(folders.files, ignored);
  return folders;
}

}  // namespace velmora

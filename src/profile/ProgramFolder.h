#pragma once

// Where the program finds its files. A portable copy (a folder holding images/Guitares/,
// as the build tree and the Windows archive are laid out) keeps everything beside the
// executable. An installed copy (PREFIX/bin) keeps config.ini, defaut.vmp and vide.vmp in
// the user's configuration folder and reads its pictures from PREFIX/share/velmora.
// On Windows both copies hold their pictures beside the programs; the installer's own
// uninstaller beside them marks an installed copy, which keeps its files in
// %APPDATA%\Velmora.

#include <filesystem>

namespace velmora {

struct ProgramFolders {
  // Holds config.ini, defaut.vmp and vide.vmp.
  std::filesystem::path files;
  // Holds images/Guitares/.
  std::filesystem::path pictures;

  std::filesystem::path ConfigFile() const { return files / "config.ini"; }
  std::filesystem::path DefaultPresetFile() const { return files / "defaut.vmp"; }
  std::filesystem::path EmptyPresetFile() const { return files / "vide.vmp"; }
};

// The folder of the running executable, whatever the current directory.
std::filesystem::path ExecutableFolder();

// The rule above, for an executable in executableFolder. configHome is $XDG_CONFIG_HOME
// and home is $HOME (either may be null or empty).
ProgramFolders ResolveProgramFolders(const std::filesystem::path& executableFolder,
                                     const char* configHome, const char* home);

// What the Windows installer puts beside the programs, and the zip never holds.
inline constexpr const char* kWindowsUninstaller = "Uninstall.exe";

// The Windows rule above; appData is the user's roaming application data folder (empty
// when unknown, and then the copy keeps its files beside itself).
ProgramFolders ResolveWindowsProgramFolders(const std::filesystem::path& executableFolder,
                                            const std::filesystem::path& appData);

// ResolveProgramFolders (ResolveWindowsProgramFolders on Windows) for this process; an installed
// copy's configuration folder is created when missing so that the settings can be written.
ProgramFolders LocateProgramFolders();

}  // namespace velmora

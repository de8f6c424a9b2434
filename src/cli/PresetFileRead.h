#pragma once

// How velmora-cli reads a preset file named on its command line.

#include <filesystem>
#include <memory>
#include <string>

#include "profile/Profile.h"

namespace velmora {

// Words arrive as UTF-8 everywhere (the Windows program declares UTF-8 its code page); a
// path made straight from narrow text would be read in the ANSI code page there.
std::filesystem::path PathOf(const std::string& word);

// The whole file, read through one open. The window reads a missing file as one in which
// every key is missing, which sends the all-default state; from the command line that is a
// typo or a file removed under it, so a file that cannot be opened and read whole throws
// "Cannot read the preset file "<preset>": <reason>."; one over the size cap throws
// "<preset>: Fichier trop volumineux ...". An empty file is still a preset.
std::unique_ptr<const ProfileSnapshot> ReadPresetFile(const std::string& preset);

}  // namespace velmora

#include "surface/files/SettingsFile.h"

#include <string>
#include <vector>

#include "profile/Profile.h"

namespace velmora {

void CreateDefaultSettingsFile(const ProgramFolders& folders) {
  using namespace settings;
  auto entry = [](std::string_view section, std::string_view key, std::string_view value) {
    return ProfileEntry{std::string(section), std::string(key), std::string(value)};
  };
  WriteProfileStrings(folders.ConfigFile(), {
                                                entry(kVariax, kVariaxShow, kYes),
                                                entry(kMidi, kMidiIn, ""),
                                                entry(kMidi, kMidiOut, "0"),
                                                entry(kPresets, kPresetsShow, kYes),
                                                entry(kPresets, kPresetsBank, "USER"),
                                                entry(kPresets, kPresetsNumber, "1"),
                                                entry(kPresets, kPresetsLetter, "A"),
                                                entry(kKnobs, kKnobsFactor, "8"),
                                                entry(kConfig, kConfigLanguage, "EN"),
                                            });
}

}  // namespace velmora

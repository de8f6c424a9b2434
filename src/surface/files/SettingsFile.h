#pragma once

// config.ini as a whole: its sections and keys, and the file a first start creates.

#include <string_view>

#include "profile/ProgramFolder.h"

namespace velmora {

namespace settings {
inline constexpr std::string_view kVariax = "Variax";
inline constexpr std::string_view kVariaxShow = "Show";
inline constexpr std::string_view kMidi = "MIDI";
inline constexpr std::string_view kMidiIn = "In";
inline constexpr std::string_view kMidiOut = "Out";
// The chosen port's name, and its order among ports of that name when it is not the first:
// older copies of the program read only Out and pass over these.
inline constexpr std::string_view kMidiOutName = "OutName";
inline constexpr std::string_view kMidiOutNameOrder = "OutNameOrder";
inline constexpr std::string_view kPresets = "PRESETS";
inline constexpr std::string_view kPresetsShow = "SHOW";
inline constexpr std::string_view kPresetsBank = "BANK";
inline constexpr std::string_view kPresetsNumber = "NUMBER";
inline constexpr std::string_view kPresetsLetter = "LETTER";
inline constexpr std::string_view kKnobs = "KNOBS";
inline constexpr std::string_view kKnobsFactor = "FACTOR";
inline constexpr std::string_view kConfig = "CONFIG";
inline constexpr std::string_view kConfigLanguage = "Language";
inline constexpr std::string_view kYes = "YES";
inline constexpr std::string_view kNo = "NO";
}  // namespace settings

// Writes every key with its first-start value, in one atomic write: a new installation
// starts in English on the first port, with the preset panel on USER 1A. Throws
// ProfileWriteError ("Impossible d'écrire dans <path>") when the folder cannot be written.
void CreateDefaultSettingsFile(const ProgramFolders& folders);

}  // namespace velmora

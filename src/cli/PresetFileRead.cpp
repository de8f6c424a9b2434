#include "cli/PresetFileRead.h"

#include <stdexcept>

namespace velmora {

std::filesystem::path PathOf(const std::string& word) {
  return std::filesystem::path(std::u8string(word.begin(), word.end()));
}

std::unique_ptr<const ProfileSnapshot> ReadPresetFile(const std::string& preset) {
  try {
    return std::make_unique<const ProfileSnapshot>(PathOf(preset), MissingFile::kIsAnError);
  } catch (const ProfileReadError& error) {
    throw std::runtime_error("Cannot read the preset file \"" + preset + "\": " + error.what() +
                             ".");
  } catch (const ProfileTooLargeError& error) {
    throw std::runtime_error(preset + ": " + error.what());
  }
}

}  // namespace velmora

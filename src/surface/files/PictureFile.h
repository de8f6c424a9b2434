#pragma once

// Reading a picture file, with the same error text whichever window shows it.

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

class PictureOpenError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Impossible d'ouvrir le fichier "<path>". <reason>
std::string CannotOpenFileText(const std::filesystem::path& path, std::string_view reason);

// The whole file, or PictureOpenError with the system's reason.
std::vector<std::uint8_t> ReadPictureFile(const std::filesystem::path& path);

}  // namespace velmora

#pragma once

// A new, empty folder of the system's temporary folder, for one test's files, and a file's
// bytes read back. Portable, so the suites also run as Windows programs.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace velmora {

inline std::filesystem::path MakeTemporaryFolder(const std::string& prefix) {
  std::random_device random;
  for (;;) {
    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   (prefix + std::to_string(random()) + std::to_string(random()));
    // False only when the name is taken; any other failure throws.
    if (std::filesystem::create_directory(folder)) {
      return folder;
    }
  }
}

// The file's bytes, or nothing when it cannot be read.
inline std::string ReadAll(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

}  // namespace velmora

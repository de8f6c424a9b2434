// Draws the editor's pictures into an images folder, or checks that folder.
//
//   picture-generator DIR          writes every picture under DIR
//   picture-generator --check DIR  decodes every picture under DIR and checks its size

#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

#include "Jpeg.h"
#include "PictureList.h"

namespace {

constexpr int kQuality = 90;

int Generate(const std::filesystem::path& root) {
  for (const pictures::PictureFile& file : pictures::AllPictures()) {
    const std::filesystem::path path = root / file.path;
    std::filesystem::create_directories(path.parent_path());
    pictures::WriteJpeg(path.string(), file.draw(), kQuality);
  }
  return 0;
}

int Check(const std::filesystem::path& root) {
  int failures = 0;
  int checked = 0;
  for (const pictures::PictureFile& file : pictures::AllPictures()) {
    const std::string path = (root / file.path).string();
    try {
      const pictures::DecodedSize size = pictures::DecodeJpeg(path);
      if (size.width != file.width || size.height != file.height || size.components != 3) {
        std::cerr << path << ": " << size.width << " x " << size.height << " with "
                  << size.components << " components, expected " << file.width << " x "
                  << file.height << " in colour\n";
        ++failures;
      }
    } catch (const std::exception& error) {
      std::cerr << error.what() << "\n";
      ++failures;
    }
    ++checked;
  }
  std::cout << checked - failures << " of " << checked << " pictures decode at their size\n";
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc == 2 && std::strcmp(argv[1], "--check") != 0) {
      return Generate(argv[1]);
    }
    if (argc == 3 && std::strcmp(argv[1], "--check") == 0) {
      return Check(argv[2]);
    }
    std::cerr << "usage: picture-generator [--check] IMAGES_DIR\n";
    return 2;
  } catch (const std::exception& error) {
    std::cerr << "picture-generator: " << error.what() << "\n";
    return 1;
  }
}

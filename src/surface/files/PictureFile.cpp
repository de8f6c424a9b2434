#include "surface/files/PictureFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace velmora {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

[[noreturn]] void ThrowOpenError(const std::filesystem::path& path, int error) {
  throw PictureOpenError(CannotOpenFileText(path, std::strerror(error)));
}

}  // namespace

std::string CannotOpenFileText(const std::filesystem::path& path, std::string_view reason) {
  std::string text = "Impossible d'ouvrir le fichier \"";
  text += Utf8(path);
  text += "\". ";
  text += reason;
  return text;
}

std::vector<std::uint8_t> ReadPictureFile(const std::filesystem::path& path) {
  std::error_code status;
  if (std::filesystem::is_directory(path, status)) {
    ThrowOpenError(path, EISDIR);
  }
#ifdef _WIN32
  std::unique_ptr<std::FILE, FileCloser> file(_wfopen(path.c_str(), L"rb"));
#else
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
#endif
  if (!file) {
    ThrowOpenError(path, errno);
  }
  std::vector<std::uint8_t> bytes;
  std::uint8_t chunk[16384];
  std::size_t count = 0;
  while ((count = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
    bytes.insert(bytes.end(), chunk, chunk + count);
  }
  if (std::ferror(file.get())) {
    ThrowOpenError(path, EIO);
  }
  return bytes;
}

}  // namespace velmora

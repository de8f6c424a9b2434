#include "presets/AtomicFile.h"

#include <cstdio>
#include <random>

#include "presets/Profile.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace velmora {
namespace {

namespace fs = std::filesystem;

// Creates the file, failing if it already exists, so two writers never share a temporary.
std::FILE* CreateNew(const fs::path& path) {
#ifdef _WIN32
  const int fd =
      _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (fd < 0) {
    return nullptr;
  }
  std::FILE* stream = _fdopen(fd, "wb");
  if (stream == nullptr) {
    _close(fd);
  }
  return stream;
#else
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    return nullptr;
  }
  std::FILE* stream = ::fdopen(fd, "wb");
  if (stream == nullptr) {
    ::close(fd);
  }
  return stream;
#endif
}

bool FlushToDisk(std::FILE* stream) {
  if (std::fflush(stream) != 0) {
    return false;
  }
#ifdef _WIN32
  return _commit(_fileno(stream)) == 0;
#else
  return ::fsync(::fileno(stream)) == 0;
#endif
}

bool WriteTemporary(const fs::path& temporary, std::string_view bytes) {
  std::FILE* stream = CreateNew(temporary);
  if (stream == nullptr) {
    return false;
  }
  const bool written =
      std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size() && FlushToDisk(stream);
  return std::fclose(stream) == 0 && written;
}

fs::path TemporaryBeside(const fs::path& target) {
  thread_local std::mt19937_64 generator{std::random_device{}()};
  char suffix[24];
  std::snprintf(suffix, sizeof suffix, ".%016llx.tmp",
                static_cast<unsigned long long>(generator()));
  // Built as a path, so the name never passes through a narrow-text conversion.
  fs::path name = "~";
  name += target.filename();
  name += suffix;
  return target.parent_path() / name;
}

// A write must not succeed where an in-place write would be refused: an existing file has
// to be a regular file that we may open for writing.
bool MayReplace(const fs::path& target) {
  std::error_code error;
  const fs::file_status status = fs::status(target, error);
  if (status.type() == fs::file_type::not_found) {
    return true;
  }
  if (error || status.type() != fs::file_type::regular) {
    return false;
  }
#ifdef _WIN32
  std::FILE* probe = _wfopen(target.c_str(), L"r+b");
#else
  std::FILE* probe = std::fopen(target.c_str(), "r+b");
#endif
  if (probe == nullptr) {
    return false;
  }
  std::fclose(probe);
  return true;
}

}  // namespace

std::string FullPathText(const fs::path& file) {
  std::error_code error;
  const fs::path absolute = fs::absolute(file, error);
  const std::u8string text = (error ? file : absolute).u8string();
  return std::string(text.begin(), text.end());
}

void ReplaceFileAtomically(const fs::path& file, std::string_view bytes) {
  const ProfileWriteError failure("Impossible d'écrire dans " + FullPathText(file));
  std::error_code error;
  // Through a symbolic link we replace the file it names, not the link.
  fs::path target = file;
  if (fs::is_symlink(file, error)) {
    target = fs::weakly_canonical(file, error);
    if (error) {
      throw failure;
    }
  }
  if (!MayReplace(target)) {
    throw failure;
  }
  const fs::path temporary = TemporaryBeside(target);
  if (!WriteTemporary(temporary, bytes)) {
    fs::remove(temporary, error);
    throw failure;
  }
  const fs::file_status old = fs::status(target, error);
  if (!error && old.type() == fs::file_type::regular) {
    fs::permissions(temporary, old.permissions(), error);
  }
  fs::rename(temporary, target, error);
  if (error) {
    fs::remove(temporary, error);
    throw failure;
  }
}

}  // namespace velmora

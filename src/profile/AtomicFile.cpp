#include "profile/AtomicFile.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <random>

#include "profile/Profile.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#endif

namespace velmora {
namespace {

namespace fs = std::filesystem;
using NameText = fs::path::string_type;
using NameChar = NameText::value_type;

// The longest file name a folder accepts: 255 bytes here, 255 UTF-16 units on Windows.
constexpr std::size_t kMaxNameLength = 255;
// "~" before the name, ".<16 hex digits>.tmp" after it.
constexpr std::size_t kTemporaryFrame = 1 + 1 + 16 + 4;
// A shortened name keeps its head and adds "-<16 hex digits>" of the whole name.
constexpr std::size_t kShortHead = kMaxNameLength - kTemporaryFrame - 17;
// Links that lead on for longer than this are taken for a loop.
constexpr int kMaxLinkHops = 40;
constexpr int kMaxCreateAttempts = 100;

NameText Hex16(std::uint64_t value) {
  NameText text;
  for (int shift = 60; shift >= 0; shift -= 4) {
    text += static_cast<NameChar>("0123456789abcdef"[(value >> shift) & 0xF]);
  }
  return text;
}

bool IsHexDigit(NameChar c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

// The second half of a character that takes two units, which a cut must not split.
bool ContinuesCharacter(NameChar c) {
#ifdef _WIN32
  return c >= 0xDC00 && c <= 0xDFFF;
#else
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
#endif
}

std::uint64_t Fnv1a(const NameText& text) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (const NameChar c : text) {
    hash = (hash ^ static_cast<std::uint64_t>(c)) * 0x100000001b3ull;
  }
  return hash;
}

// What every temporary of the target is named after: the target's own name, or, when that
// would make the temporary's name too long for the folder, its head and a hash of it all.
NameText TemporaryStem(const fs::path& target) {
  const NameText name = target.filename().native();
  if (name.size() + kTemporaryFrame <= kMaxNameLength) {
    return name;
  }
  std::size_t cut = kShortHead;
  while (cut > 0 && ContinuesCharacter(name[cut])) {
    --cut;
  }
  NameText stem = name.substr(0, cut);
  stem += static_cast<NameChar>('-');
  return stem + Hex16(Fnv1a(name));
}

NameText TemporaryPrefix(const fs::path& target) {
  NameText prefix(1, static_cast<NameChar>('~'));
  prefix += TemporaryStem(target);
  prefix += static_cast<NameChar>('.');
  return prefix;
}

bool IsTemporaryOf(const NameText& name, const NameText& prefix) {
  static const NameText suffix = fs::path(".tmp").native();
  if (name.size() != prefix.size() + 16 + suffix.size() ||
      name.compare(0, prefix.size(), prefix) != 0 ||
      name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
    return false;
  }
  for (std::size_t i = prefix.size(); i < prefix.size() + 16; ++i) {
    if (!IsHexDigit(name[i])) {
      return false;
    }
  }
  return true;
}

std::uint64_t ProcessId() {
#ifdef _WIN32
  return static_cast<std::uint64_t>(_getpid());
#else
  return static_cast<std::uint64_t>(::getpid());
#endif
}

std::string SystemReason(int code) {
  return std::error_code(code, std::generic_category()).message();
}

// The file a path names once every symbolic link on its end is followed, even one whose
// file does not exist yet; nothing for a loop or a link that cannot be read, and then
// whyNot says why.
std::optional<fs::path> FollowLinks(fs::path path, std::string& whyNot) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    std::error_code error;
    if (fs::symlink_status(path, error).type() != fs::file_type::symlink) {
      return path;
    }
    const fs::path link = fs::read_symlink(path, error);
    if (error) {
      whyNot = error.message();
      return std::nullopt;
    }
    path = link.is_absolute() ? link : path.parent_path() / link;
  }
  whyNot = std::make_error_code(std::errc::too_many_symbolic_link_levels).message();
  return std::nullopt;
}

// A write must not succeed where an in-place write would be refused: an existing file has
// to be a regular file that we may open for writing. When it may not, whyNot says why.
bool MayReplace(const fs::path& target, std::string& whyNot) {
  std::error_code error;
  const fs::file_status status = fs::status(target, error);
  if (status.type() == fs::file_type::not_found) {
    return true;
  }
  if (error || status.type() != fs::file_type::regular) {
    whyNot = error ? error.message()
             : status.type() == fs::file_type::directory
                 ? std::make_error_code(std::errc::is_a_directory).message()
                 : std::string("not a regular file");
    return false;
  }
#ifdef _WIN32
  std::FILE* probe = _wfopen(target.c_str(), L"r+b");
#else
  std::FILE* probe = std::fopen(target.c_str(), "r+b");
#endif
  if (probe == nullptr) {
    whyNot = SystemReason(errno);
    return false;
  }
  std::fclose(probe);
  return true;
}

// Temporaries are claimed by their writers: a writer holds an exclusive lock on its own
// temporary from the moment it makes it until it has renamed or removed it (on Windows the
// open file cannot be removed at all). So a temporary of this target that is not locked
// (that can be removed) was left by a writer that is gone, and any save of the target may
// remove it; one that is locked belongs to a writer still at work and stays.
void RemoveAbandonedTemporaries(const fs::path& target) {
  const NameText prefix = TemporaryPrefix(target);
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const fs::path& candidate = it->path();
    if (!IsTemporaryOf(candidate.filename().native(), prefix)) {
      continue;
    }
#ifdef _WIN32
    std::error_code ignored;
    fs::remove(candidate, ignored);
#else
    int fd = ::open(candidate.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
      fd = ::open(candidate.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    }
    if (fd < 0) {
      continue;
    }
    struct stat opened {};
    struct stat named {};
    // The name must still lead to the file we locked: a writer that has just renamed its
    // temporary onto the target lets go of the lock, and then this name leads nowhere.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 &&
        ::lstat(candidate.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
        opened.st_ino == named.st_ino) {
      ::unlink(candidate.c_str());
    }
    ::close(fd);
#endif
  }
}

// A temporary made, claimed and open for writing; removed again unless it was renamed.
class Temporary {
 public:
  explicit Temporary(const fs::path& target) {
    for (int attempt = 0; attempt < kMaxCreateAttempts; ++attempt) {
      path_ = NewTemporaryPath(target);
      const Made made = Create();
      if (made != Made::NameTaken) {
        return;
      }
    }
  }
  ~Temporary() {
    if (fd_ >= 0) {
      Close();
      std::error_code ignored;
      fs::remove(path_, ignored);
    }
  }
  Temporary(const Temporary&) = delete;
  Temporary& operator=(const Temporary&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  // The system's reason when it could not be made.
  int Reason() const { return reason_; }

  bool Write(std::string_view bytes) {
    while (!bytes.empty()) {
#ifdef _WIN32
      const int written = _write(fd_, bytes.data(), static_cast<unsigned>(bytes.size()));
#else
      const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
      if (written < 0 && errno == EINTR) {
        continue;
      }
#endif
      if (written <= 0) {
        return false;
      }
      bytes.remove_prefix(static_cast<std::size_t>(written));
    }
#ifdef _WIN32
    return _commit(fd_) == 0;
#else
    return ::fsync(fd_) == 0;
#endif
  }

  // The old file's owner, group and permissions pass to the new one. Giving a file away
  // takes root; anyone else keeps the file as their own, as a plain write would.
  void TakeOver(const fs::path& target) {
#ifdef _WIN32
    std::error_code error;
    const fs::file_status old = fs::status(target, error);
    if (!error && old.type() == fs::file_type::regular) {
      fs::permissions(path_, old.permissions(), error);
    }
#else
    struct stat old {};
    struct stat own {};
    if (::stat(target.c_str(), &old) != 0 || !S_ISREG(old.st_mode) || ::fstat(fd_, &own) != 0) {
      return;
    }
    if (old.st_uid != own.st_uid || old.st_gid != own.st_gid) {
      [[maybe_unused]] const int ignored = ::fchown(fd_, old.st_uid, old.st_gid);
    }
    ::fchmod(fd_, old.st_mode & 07777);
#endif
  }

  // On Windows an open file cannot be renamed, so the claim ends just before; here it ends
  // only once the temporary has become the target.
  bool RenameTo(const fs::path& target) {
    std::error_code error;
#ifdef _WIN32
    const bool closed = Close();
    if (closed) {
      fs::rename(path_, target, error);
    }
    if (!closed || error) {
      fs::remove(path_, error);
      return false;
    }
    return true;
#else
    fs::rename(path_, target, error);
    if (error) {
      return false;
    }
    Close();
    return true;
#endif
  }

 private:
  enum class Made { Yes, NameTaken, No };

  Made Create() {
#ifdef _WIN32
    fd_ = _wopen(path_.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
    fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
#endif
    if (fd_ < 0) {
      reason_ = errno;
      return errno == EEXIST ? Made::NameTaken : Made::No;
    }
#ifndef _WIN32
    // Between the making and the lock another save may have taken the file for abandoned
    // and removed it: then the name leads elsewhere and this try starts over.
    struct stat opened {};
    struct stat named {};
    if (::flock(fd_, LOCK_EX) != 0 || ::fstat(fd_, &opened) != 0 ||
        ::lstat(path_.c_str(), &named) != 0 || opened.st_dev != named.st_dev ||
        opened.st_ino != named.st_ino) {
      Close();
      return Made::NameTaken;
    }
#endif
    return Made::Yes;
  }

  bool Close() {
#ifdef _WIN32
    const bool closed = _close(fd_) == 0;
#else
    const bool closed = ::close(fd_) == 0;
#endif
    fd_ = -1;
    return closed;
  }

  fs::path path_;
  int fd_ = -1;
  int reason_ = 0;
};

// The file a replace of file writes, once the checks that need no writing have passed.
fs::path ReplaceableTarget(const fs::path& file) {
  std::string whyNot;
  const std::optional<fs::path> target = FollowLinks(file, whyNot);
  if (!target || !MayReplace(*target, whyNot)) {
    throw ProfileWriteError("Impossible d'écrire dans " + FullPathText(file), whyNot);
  }
  return *target;
}

}  // namespace

fs::path NewTemporaryPath(const fs::path& target) {
  thread_local std::mt19937_64 generator{std::random_device{}()};
  // A forked child starts with its parent's generator: the process id keeps their names apart.
  const std::uint64_t random = generator() ^ (ProcessId() * 0x9E3779B97F4A7C15ull);
  // Built as a path, so the name never passes through a narrow-text conversion.
  NameText name = TemporaryPrefix(target) + Hex16(random);
  name += fs::path(".tmp").native();
  return target.parent_path() / name;
}

std::string FullPathText(const fs::path& file) {
  std::error_code error;
  const fs::path absolute = fs::absolute(file, error);
  const std::u8string text = (error ? file : absolute).u8string();
  return std::string(text.begin(), text.end());
}

void CheckReplaceable(const fs::path& file) {
  // A temporary made and removed again: only that shows the folder takes a new file.
  const Temporary probe(ReplaceableTarget(file));
  if (!probe.IsOpen()) {
    throw ProfileWriteError("Impossible d'écrire dans " + FullPathText(file),
                            SystemReason(probe.Reason()));
  }
}

void ReplaceFileAtomically(const fs::path& file, std::string_view bytes) {
  auto failure = [&file](int reason) {
    return ProfileWriteError("Impossible d'écrire dans " + FullPathText(file),
                             reason != 0 ? SystemReason(reason) : std::string());
  };
  // Through symbolic links we replace the file they name, not the link, and a link whose
  // file is missing gets its file.
  const fs::path target = ReplaceableTarget(file);
  RemoveAbandonedTemporaries(target);
  Temporary temporary(target);
  if (!temporary.IsOpen()) {
    throw failure(temporary.Reason());
  }
  if (!temporary.Write(bytes)) {
    throw failure(errno);
  }
  temporary.TakeOver(target);
  if (!temporary.RenameTo(target)) {
    throw failure(errno);
  }
}

}  // namespace velmora

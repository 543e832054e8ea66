#include "platform/posix/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

namespace platform {

namespace {

// The error of this thread's last failed call, for LastFailure.
thread_local int lastError = 0;

// Notes errno as the reason of a failure; always false.
bool Failed() {
  lastError = errno;
  return false;
}

Moved MoveFailed() {
  Failed();
  return Moved::kFailed;
}

class PosixReadableFile : public ReadableFile {
 public:
  explicit PosixReadableFile(int fd) : fd_(fd) {}
  ~PosixReadableFile() override { ::close(fd_); }
  PosixReadableFile(const PosixReadableFile&) = delete;
  PosixReadableFile& operator=(const PosixReadableFile&) = delete;

  std::ptrdiff_t Read(std::uint8_t* buffer, std::size_t capacity) override {
    ssize_t got;
    do {
      got = ::read(fd_, buffer, capacity);
    } while (got < 0 && errno == EINTR);
    if (got < 0) Failed();
    return got;
  }

  std::optional<std::uint64_t> SizeHint() const override {
    struct stat facts {};
    if (::fstat(fd_, &facts) != 0 || !S_ISREG(facts.st_mode)) return std::nullopt;
    return static_cast<std::uint64_t>(facts.st_size);
  }

 private:
  int fd_;
};

// What a writable file is: a file on the disk, or a stream (a device, pipe
// or socket), which cannot be synced and needs not be.
enum class Target { kDisk, kStream };

class PosixWritableFile : public WritableFile {
 public:
  explicit PosixWritableFile(int fd, Target target = Target::kDisk) : fd_(fd), target_(target) {}
  ~PosixWritableFile() override { Close(); }
  PosixWritableFile(const PosixWritableFile&) = delete;
  PosixWritableFile& operator=(const PosixWritableFile&) = delete;

  bool Write(const std::uint8_t* data, std::size_t length) override {
    while (length > 0) {
      const ssize_t written = ::write(fd_, data, length);
      if (written < 0 && errno == EINTR) continue;
      if (written < 0) return Failed();
      if (written == 0) {
        errno = ENOSPC;
        return Failed();
      }
      data += written;
      length -= static_cast<std::size_t>(written);
    }
    return true;
  }

  bool Sync() override {
    if (target_ == Target::kStream) return fd_ >= 0;
    return fd_ >= 0 && (::fsync(fd_) == 0 || Failed());
  }

  bool Close() override {
    if (fd_ < 0) return true;
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 || Failed();
  }

 private:
  int fd_;
  Target target_;
};

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The new name itself is on the disk only once its folder is: best effort,
// for the move has happened whatever this says.
void SyncFolderOf(const std::string& path) {
  const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

Moved MoveKeeping(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
    return Moved::kDone;
  }
  if (errno == EEXIST) return Moved::kTargetExists;
  if (errno != EINVAL && errno != ENOSYS) return MoveFailed();
  // A file system without the flag: a hard link is made only where no file is.
  if (::link(from.c_str(), to.c_str()) != 0) {
    return errno == EEXIST ? Moved::kTargetExists : MoveFailed();
  }
  ::unlink(from.c_str());
  return Moved::kDone;
}

// How many links Inspect follows before it gives up, as the system does.
constexpr int kMostLinks = 40;

// The system's own files: devices, and the process's descriptors under
// other names (/dev/stdout, /dev/fd/N, /proc/self/fd/N). They are written
// into as they stand, even where they lead to a regular file.
bool IsSystemPath(const std::string& path) {
  return path.starts_with("/dev/") || path.starts_with("/proc/");
}

// Where the link `path` leads, or nothing when it is no link.
std::optional<std::string> LinkTarget(const std::string& path) {
  std::string target(PATH_MAX, '\0');
  const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
  if (length < 0 || static_cast<std::size_t>(length) >= target.size()) return std::nullopt;
  target.resize(static_cast<std::size_t>(length));
  if (target.starts_with('/')) return target;
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? target : path.substr(0, slash + 1) + target;
}

PathFacts FactsOf(const std::string& path, const struct stat& status) {
  if (S_ISDIR(status.st_mode)) return {.kind = PathKind::kFolder};
  if (!S_ISREG(status.st_mode) || IsSystemPath(path)) return {.kind = PathKind::kStream};
  return {.kind = PathKind::kFile,
          .file = path,
          .permissions = static_cast<std::uint32_t>(status.st_mode & 07777)};
}

}  // namespace

PathFacts PosixFileSystem::Inspect(const std::string& path) {
  std::string at = path;
  for (int hop = 0; hop < kMostLinks; ++hop) {
    struct stat status {};
    if (::lstat(at.c_str(), &status) != 0) return {};
    if (!S_ISLNK(status.st_mode)) return FactsOf(at, status);
    // A link through the system's names is a stream, wherever it leads.
    if (IsSystemPath(at)) break;
    const std::optional<std::string> target = LinkTarget(at);
    if (!target) return {};
    at = *target;
  }
  // Too many links, or a link of the system's own: what it leads to decides.
  struct stat status {};
  if (::stat(at.c_str(), &status) != 0) return {};
  return S_ISDIR(status.st_mode) ? PathFacts{.kind = PathKind::kFolder}
                                 : PathFacts{.kind = PathKind::kStream};
}

std::unique_ptr<WritableFile> PosixFileSystem::CreateNew(const std::string& path,
                                                         std::optional<std::uint32_t> permissions) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                        permissions.value_or(0666));
  if (fd < 0) {
    Failed();
    return nullptr;
  }
  // The creation mask may have taken bits the replaced file had.
  if (permissions && ::fchmod(fd, static_cast<mode_t>(*permissions)) != 0) {
    Failed();
    ::close(fd);
    ::unlink(path.c_str());
    return nullptr;
  }
  return std::make_unique<PosixWritableFile>(fd);
}

std::unique_ptr<WritableFile> PosixFileSystem::OpenStream(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) {
    Failed();
    return nullptr;
  }
  return std::make_unique<PosixWritableFile>(fd, Target::kStream);
}

bool PosixFileSystem::MakeFolder(const std::string& path) {
  std::error_code error;
  std::filesystem::create_directories(path, error);
  struct stat status {};
  if (::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) return true;
  lastError = error ? error.value() : ENOTDIR;
  return false;
}

std::optional<std::vector<std::string>> PosixFileSystem::ListFolder(const std::string& path) {
  const std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir(path.c_str()), ::closedir);
  if (!folder) {
    Failed();
    return std::nullopt;
  }
  std::vector<std::string> names;
  errno = 0;
  while (const dirent* entry = ::readdir(folder.get())) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  if (errno != 0) {
    Failed();
    return std::nullopt;
  }
  return names;
}

std::unique_ptr<ReadableFile> PosixFileSystem::OpenForReading(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    Failed();
    return nullptr;
  }
  return std::make_unique<PosixReadableFile>(fd);
}

std::unique_ptr<WritableFile> PosixFileSystem::CreateForWriting(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    Failed();
    return nullptr;
  }
  return std::make_unique<PosixWritableFile>(fd);
}

Moved PosixFileSystem::Move(const std::string& from, const std::string& to, Existing existing) {
  Moved moved = Moved::kDone;
  if (existing == Existing::kKeep) {
    moved = MoveKeeping(from, to);
  } else if (::rename(from.c_str(), to.c_str()) != 0) {
    moved = MoveFailed();
  }
  if (moved == Moved::kDone) SyncFolderOf(to);
  return moved;
}

bool PosixFileSystem::Remove(const std::string& path) {
  return ::unlink(path.c_str()) == 0 || Failed();
}

std::string PosixFileSystem::LastFailure() const {
  return lastError == 0 ? std::string() : std::generic_category().message(lastError);
}

}  // namespace platform

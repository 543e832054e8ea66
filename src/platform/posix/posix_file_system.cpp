#include "platform/posix/posix_file_system.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
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

 private:
  int fd_;
};

class PosixWritableFile : public WritableFile {
 public:
  explicit PosixWritableFile(int fd) : fd_(fd) {}
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

  bool Sync() override { return fd_ >= 0 && (::fsync(fd_) == 0 || Failed()); }

  bool Close() override {
    if (fd_ < 0) return true;
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 || Failed();
  }

 private:
  int fd_;
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

}  // namespace

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

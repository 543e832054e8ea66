#include "platform/posix/posix_file_system.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

namespace {

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
      if (written <= 0) return false;
      data += written;
      length -= static_cast<std::size_t>(written);
    }
    return true;
  }

  bool Close() override {
    if (fd_ < 0) return true;
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0;
  }

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<ReadableFile> PosixFileSystem::OpenForReading(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  return std::make_unique<PosixReadableFile>(fd);
}

std::unique_ptr<WritableFile> PosixFileSystem::CreateForWriting(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return nullptr;
  return std::make_unique<PosixWritableFile>(fd);
}

}  // namespace platform

#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace platform {

namespace {

// Largest piece handed to one ReadFile or WriteFile call.
constexpr std::size_t kMaxTransfer = 1u << 30;

class Win32ReadableFile : public ReadableFile {
 public:
  explicit Win32ReadableFile(HANDLE file) : file_(file) {}
  ~Win32ReadableFile() override { ::CloseHandle(file_); }
  Win32ReadableFile(const Win32ReadableFile&) = delete;
  Win32ReadableFile& operator=(const Win32ReadableFile&) = delete;

  std::ptrdiff_t Read(std::uint8_t* buffer, std::size_t capacity) override {
    DWORD got = 0;
    const DWORD wanted = static_cast<DWORD>(capacity > kMaxTransfer ? kMaxTransfer : capacity);
    if (!::ReadFile(file_, buffer, wanted, &got, nullptr)) return -1;
    return static_cast<std::ptrdiff_t>(got);
  }

 private:
  HANDLE file_;
};

class Win32WritableFile : public WritableFile {
 public:
  explicit Win32WritableFile(HANDLE file) : file_(file) {}
  ~Win32WritableFile() override { Close(); }
  Win32WritableFile(const Win32WritableFile&) = delete;
  Win32WritableFile& operator=(const Win32WritableFile&) = delete;

  bool Write(const std::uint8_t* data, std::size_t length) override {
    if (file_ == INVALID_HANDLE_VALUE) return false;
    while (length > 0) {
      DWORD written = 0;
      const DWORD piece = static_cast<DWORD>(length > kMaxTransfer ? kMaxTransfer : length);
      if (!::WriteFile(file_, data, piece, &written, nullptr) || written == 0) return false;
      data += written;
      length -= written;
    }
    return true;
  }

  bool Close() override {
    if (file_ == INVALID_HANDLE_VALUE) return true;
    const bool closed = ::CloseHandle(file_) != 0;
    file_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE file_;
};

HANDLE OpenFile(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
  if (path.empty()) return INVALID_HANDLE_VALUE;
  const std::wstring widePath = win32::Utf8ToWide(path);
  return ::CreateFileW(widePath.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

}  // namespace

std::unique_ptr<ReadableFile> Win32FileSystem::OpenForReading(const std::string& path) {
  const HANDLE file =
      OpenFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32ReadableFile>(file);
}

std::unique_ptr<WritableFile> Win32FileSystem::CreateForWriting(const std::string& path) {
  const HANDLE file = OpenFile(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32WritableFile>(file);
}

}  // namespace platform

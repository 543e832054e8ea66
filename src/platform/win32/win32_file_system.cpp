#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace platform::win32 {

namespace {

// Largest piece handed to one ReadFile or WriteFile call.
constexpr std::size_t kMaxTransfer = 1u << 30;

// The error of this thread's last failed call, for LastFailure.
thread_local DWORD lastError = ERROR_SUCCESS;

// Notes GetLastError as the reason of a failure; always false.
bool Failed() {
  lastError = ::GetLastError();
  return false;
}

class Win32ReadableFile : public ReadableFile {
 public:
  explicit Win32ReadableFile(HANDLE file) : file_(file) {}
  ~Win32ReadableFile() override { ::CloseHandle(file_); }
  Win32ReadableFile(const Win32ReadableFile&) = delete;
  Win32ReadableFile& operator=(const Win32ReadableFile&) = delete;

  std::ptrdiff_t Read(std::uint8_t* buffer, std::size_t capacity) override {
    DWORD got = 0;
    const DWORD wanted = static_cast<DWORD>(capacity > kMaxTransfer ? kMaxTransfer : capacity);
    if (!::ReadFile(file_, buffer, wanted, &got, nullptr)) {
      Failed();
      return -1;
    }
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
      if (!::WriteFile(file_, data, piece, &written, nullptr)) return Failed();
      if (written == 0) {
        ::SetLastError(ERROR_DISK_FULL);
        return Failed();
      }
      data += written;
      length -= written;
    }
    return true;
  }

  bool Sync() override {
    return file_ != INVALID_HANDLE_VALUE && (::FlushFileBuffers(file_) != 0 || Failed());
  }

  bool Close() override {
    if (file_ == INVALID_HANDLE_VALUE) return true;
    const bool closed = ::CloseHandle(file_) != 0 || Failed();
    file_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE file_;
};

HANDLE OpenFile(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
  if (path.empty()) return INVALID_HANDLE_VALUE;
  const std::wstring widePath = Utf8ToWide(path);
  return ::CreateFileW(widePath.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

}  // namespace

std::unique_ptr<ReadableFile> Win32FileSystem::OpenForReading(const std::string& path) {
  const HANDLE file =
      OpenFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
  if (file == INVALID_HANDLE_VALUE) {
    Failed();
    return nullptr;
  }
  return std::make_unique<Win32ReadableFile>(file);
}

std::unique_ptr<WritableFile> Win32FileSystem::CreateForWriting(const std::string& path) {
  const HANDLE file = OpenFile(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS);
  if (file == INVALID_HANDLE_VALUE) {
    Failed();
    return nullptr;
  }
  return std::make_unique<Win32WritableFile>(file);
}

Moved Win32FileSystem::Move(const std::string& from, const std::string& to, Existing existing) {
  DWORD flags = MOVEFILE_WRITE_THROUGH;
  if (existing == Existing::kReplace) flags |= MOVEFILE_REPLACE_EXISTING;
  if (::MoveFileExW(Utf8ToWide(from).c_str(), Utf8ToWide(to).c_str(), flags)) {
    return Moved::kDone;
  }
  Failed();
  const bool taken = lastError == ERROR_ALREADY_EXISTS || lastError == ERROR_FILE_EXISTS;
  return taken && existing == Existing::kKeep ? Moved::kTargetExists : Moved::kFailed;
}

bool Win32FileSystem::Remove(const std::string& path) {
  return ::DeleteFileW(Utf8ToWide(path).c_str()) != 0 || Failed();
}

std::string Win32FileSystem::LastFailure() const {
  if (lastError == ERROR_SUCCESS) return {};
  wchar_t* text = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, lastError, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = length > 0 ? std::wstring(text, length) : std::wstring();
  if (text) ::LocalFree(text);
  // The system's messages end in a full stop and a line break.
  while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' ||
                              message.back() == L'.' || message.back() == L' ')) {
    message.pop_back();
  }
  if (message.empty()) return "system error " + std::to_string(lastError);
  return WideToUtf8(message);
}

}  // namespace platform::win32

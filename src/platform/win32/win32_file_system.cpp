#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <limits>
#include <memory>
#include <string_view>

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

// The size of a file on the disk; none for a device or a pipe.
std::optional<std::uint64_t> DiskFileSize(HANDLE file) {
  LARGE_INTEGER size{};
  if (::GetFileType(file) != FILE_TYPE_DISK || !::GetFileSizeEx(file, &size)) return std::nullopt;
  return static_cast<std::uint64_t>(size.QuadPart);
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

  std::optional<std::uint64_t> SizeHint() const override { return DiskFileSize(file_); }

 private:
  HANDLE file_;
};

// A kernel handle closed when its owner goes, on every path.
struct HandleCloser {
  void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using OwnedHandle = std::unique_ptr<void, HandleCloser>;

struct ViewUnmapper {
  void operator()(const void* view) const { ::UnmapViewOfFile(view); }
};
using OwnedView = std::unique_ptr<const void, ViewUnmapper>;

// A view of a file mapped read-only. The file is held open without write
// sharing, so that nobody changes the bytes while they are used.
class Win32MappedFile : public MappedFile {
 public:
  Win32MappedFile(OwnedHandle file, OwnedHandle mapping, OwnedView view, std::size_t size)
      : file_(std::move(file)), mapping_(std::move(mapping)), view_(std::move(view)), size_(size) {}

  std::span<const std::uint8_t> Bytes() const override {
    return {static_cast<const std::uint8_t*>(view_.get()), size_};
  }

 private:
  // Released in the reverse order: the view, the mapping, the file.
  OwnedHandle file_;
  OwnedHandle mapping_;
  OwnedView view_;
  std::size_t size_;
};

// What a writable file is: a file on the disk, or a stream (a device or a
// pipe), which cannot be flushed to a disk and needs not be.
enum class Target { kDisk, kStream };

class Win32WritableFile : public WritableFile {
 public:
  explicit Win32WritableFile(HANDLE file, Target target = Target::kDisk)
      : file_(file), target_(target) {}
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
    if (target_ == Target::kStream) return file_ != INVALID_HANDLE_VALUE;
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
  Target target_;
};

HANDLE OpenFile(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                DWORD flags = FILE_ATTRIBUTE_NORMAL) {
  if (path.empty()) return INVALID_HANDLE_VALUE;
  const std::wstring widePath = Utf8ToWide(path);
  return ::CreateFileW(widePath.c_str(), access, share, nullptr, disposition, flags, nullptr);
}

// True when the file is on a disk of this computer. A mapped file's bytes
// are read when they are used: on a network share or a removable disk, a
// read that fails then ends the program instead of failing a call.
bool OnFixedDisk(const std::string& path) {
  std::array<wchar_t, MAX_PATH + 1> volume{};
  const std::wstring widePath = Utf8ToWide(path);
  return ::GetVolumePathNameW(widePath.c_str(), volume.data(), static_cast<DWORD>(volume.size())) &&
         ::GetDriveTypeW(volume.data()) == DRIVE_FIXED;
}

std::unique_ptr<WritableFile> WritableOrNothing(HANDLE file, Target target = Target::kDisk) {
  if (file == INVALID_HANDLE_VALUE) {
    Failed();
    return nullptr;
  }
  return std::make_unique<Win32WritableFile>(file, target);
}

// A name the system keeps for a device in every folder: CON, PRN, AUX, NUL,
// COM1 to COM9, LPT1 to LPT9, CONIN$ and CONOUT$, in any case and with any
// extension; and every path of the device space (\\.\...).
bool IsDeviceName(const std::string& path) {
  if (path.starts_with("\\\\.\\") || path.starts_with("//./")) return true;
  const std::size_t nameStart = path.find_last_of("/\\:") + 1;
  std::string name = path.substr(nameStart, path.find('.', nameStart) - nameStart);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  static constexpr std::array<std::string_view, 6> kPlain = {"CON", "PRN",    "AUX",
                                                             "NUL", "CONIN$", "CONOUT$"};
  if (std::find(kPlain.begin(), kPlain.end(), name) != kPlain.end()) return true;
  return name.size() == 4 && (name.starts_with("COM") || name.starts_with("LPT")) &&
         name[3] >= '1' && name[3] <= '9';
}

// The path of the file an open handle names, without the \\?\ prefix;
// `path` itself when the system cannot tell.
std::string FinalPath(HANDLE file, const std::string& path) {
  std::wstring wide(MAX_PATH, L'\0');
  DWORD length = ::GetFinalPathNameByHandleW(file, wide.data(), static_cast<DWORD>(wide.size()),
                                             FILE_NAME_NORMALIZED);
  if (length >= wide.size()) {
    wide.resize(length + 1);
    length = ::GetFinalPathNameByHandleW(file, wide.data(), static_cast<DWORD>(wide.size()),
                                         FILE_NAME_NORMALIZED);
  }
  if (length == 0 || length >= wide.size()) return path;
  wide.resize(length);
  if (wide.starts_with(L"\\\\?\\UNC\\")) return WideToUtf8(L"\\\\" + wide.substr(8));
  if (wide.starts_with(L"\\\\?\\")) return WideToUtf8(wide.substr(4));
  return WideToUtf8(wide);
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

std::unique_ptr<MappedFile> Win32FileSystem::MapForReading(const std::string& path) {
  if (path.empty() || !OnFixedDisk(path)) return nullptr;
  const HANDLE opened = OpenFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  if (opened == INVALID_HANDLE_VALUE) return nullptr;
  OwnedHandle file(opened);
  // An empty file has no view; one larger than the address space has none.
  const std::optional<std::uint64_t> size = DiskFileSize(file.get());
  if (!size || *size == 0 || *size > std::numeric_limits<std::size_t>::max()) return nullptr;
  OwnedHandle mapping(::CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!mapping) return nullptr;
  OwnedView view(::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
  if (!view) return nullptr;
  return std::make_unique<Win32MappedFile>(std::move(file), std::move(mapping), std::move(view),
                                           static_cast<std::size_t>(*size));
}

std::unique_ptr<WritableFile> Win32FileSystem::CreateForWriting(const std::string& path) {
  return WritableOrNothing(OpenFile(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS));
}

std::unique_ptr<WritableFile> Win32FileSystem::CreateNew(
    const std::string& path, std::optional<std::uint32_t> /*permissions*/) {
  return WritableOrNothing(OpenFile(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_NEW));
}

std::unique_ptr<WritableFile> Win32FileSystem::OpenStream(const std::string& path) {
  return WritableOrNothing(
      OpenFile(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING),
      Target::kStream);
}

PathFacts Win32FileSystem::Inspect(const std::string& path) {
  if (path.empty()) return {};
  if (IsDeviceName(path)) return {.kind = PathKind::kStream};
  const DWORD attributes = ::GetFileAttributesW(Utf8ToWide(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return {};
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return {.kind = PathKind::kFolder};
  // Opened for nothing but a look: no access, every kind of sharing.
  const HANDLE file = OpenFile(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
  if (file == INVALID_HANDLE_VALUE) return {};
  PathFacts facts{.kind = PathKind::kStream};
  if (::GetFileType(file) == FILE_TYPE_DISK) {
    facts = {.kind = PathKind::kFile,
             .file = attributes & FILE_ATTRIBUTE_REPARSE_POINT ? FinalPath(file, path) : path};
  }
  ::CloseHandle(file);
  return facts;
}

bool Win32FileSystem::MakeFolder(const std::string& path) {
  const std::filesystem::path folder(Utf8ToWide(path));
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (std::filesystem::is_directory(folder, error)) return true;
  ::SetLastError(ERROR_PATH_NOT_FOUND);
  return Failed();
}

std::optional<std::vector<std::string>> Win32FileSystem::ListFolder(const std::string& path) {
  std::error_code error;
  std::filesystem::directory_iterator entry(std::filesystem::path(Utf8ToWide(path)), error);
  std::vector<std::string> names;
  for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
    names.push_back(WideToUtf8(entry->path().filename().wstring()));
  }
  if (!error) return names;
  ::SetLastError(ERROR_PATH_NOT_FOUND);
  Failed();
  return std::nullopt;
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

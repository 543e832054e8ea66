#include "window.h"

#include <algorithm>

namespace wine_driver {

std::string Narrow(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

std::wstring Widen(std::string_view text) {
  if (text.empty()) return {};
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
  return out;
}

std::string Describe(HWND window) {
  if (!IsWindow(window)) return "(closed window)";
  std::string text = Narrow(ClassOf(window)) + " #" + std::to_string(IdOf(window));
  // Never fails: the window may close while it is being described.
  wchar_t caption[128] = L"";
  if (TrySend(window, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(caption), Duration{1000})) {
    caption[127] = 0;
    text += " \"" + Narrow(caption) + "\"";
  }
  return text;
}

bool TrySend(HWND window, UINT message, WPARAM wparam, LPARAM lparam, Duration timeout,
             LRESULT* result) {
  DWORD_PTR answer = 0;
  SetLastError(0);
  if (!SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL,
                           static_cast<UINT>(timeout.count()), &answer)) {
    return false;
  }
  if (result) *result = static_cast<LRESULT>(answer);
  return true;
}

LRESULT Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam, Duration timeout) {
  if (!IsWindow(window)) throw DriverError("message to a window that is gone");
  LRESULT result = 0;
  if (!TrySend(window, message, wparam, lparam, timeout, &result)) {
    if (!IsWindow(window)) throw DriverError("window closed while handling a message");
    throw DriverError("message " + std::to_string(message) + " to " + Describe(window) +
                      " not handled within " + std::to_string(timeout.count()) + " ms");
  }
  return result;
}

void Post(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!PostMessageW(window, message, wparam, lparam)) {
    throw DriverError("cannot post message " + std::to_string(message) + " to " + Describe(window));
  }
}

std::wstring Text(HWND window) {
  const auto length = static_cast<std::size_t>(Send(window, WM_GETTEXTLENGTH));
  std::wstring text(length + 1, L'\0');
  const auto copied = static_cast<std::size_t>(
      Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  text.resize(std::min(copied, length));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256];
  const int length = GetClassNameW(window, name, 256);
  return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

int IdOf(HWND window) { return static_cast<int>(GetWindowLongPtrW(window, GWLP_ID)); }

DWORD ProcessOf(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  return processId;
}

bool IsShown(HWND window) { return IsWindowVisible(window) != FALSE; }
bool IsEnabled(HWND window) { return IsWindowEnabled(window) != FALSE; }

RECT ScreenRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

HWND FindChild(HWND parent, int id) { return GetDlgItem(parent, id); }

HWND Child(HWND parent, int id) {
  HWND child = FindChild(parent, id);
  if (!child) throw DriverError("no control " + std::to_string(id) + " in " + Describe(parent));
  return child;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
  struct Search {
    DWORD processId;
    std::vector<HWND> found;
  } search{processId, {}};
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto* s = reinterpret_cast<Search*>(context);
        if (ProcessOf(window) == s->processId) s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

RemoteMemory::RemoteMemory(HWND owner, std::size_t size)
    : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                           ProcessOf(owner))),
      base_(nullptr),
      size_(size) {
  if (process_) {
    base_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  if (!base_) {
    if (process_) CloseHandle(process_);
    throw DriverError("cannot place memory in the process of " + Describe(owner));
  }
}

RemoteMemory::~RemoteMemory() {
  VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
  CloseHandle(process_);
}

LPARAM RemoteMemory::At(std::size_t offset) const {
  return reinterpret_cast<LPARAM>(static_cast<char*>(base_) + offset);
}

void RemoteMemory::Write(const void* data, std::size_t size, std::size_t offset) {
  if (offset + size > size_ ||
      !WriteProcessMemory(process_, static_cast<char*>(base_) + offset, data, size, nullptr)) {
    throw DriverError("cannot write to the program's memory");
  }
}

void RemoteMemory::Read(void* data, std::size_t size, std::size_t offset) const {
  if (offset + size > size_ ||
      !ReadProcessMemory(process_, static_cast<char*>(base_) + offset, data, size, nullptr)) {
    throw DriverError("cannot read the program's memory");
  }
}

}  // namespace wine_driver

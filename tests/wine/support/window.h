// Looking at and messaging windows of another process. Standard messages
// whose parameters point to memory (WM_GETTEXT, CB_GETLBTEXT, ...) are
// carried across by the window system; common-control messages are not, so
// their structures are placed in the other process with RemoteMemory.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "wait.h"

namespace wine_driver {

// UTF-16 <-> UTF-8, for messages and for comparing with narrow literals.
std::string Narrow(std::wstring_view text);
std::wstring Widen(std::string_view text);

// Describes a window for failure messages: class, id, caption.
std::string Describe(HWND window);

// Sends a message and waits at most `timeout` for it to be handled; throws
// DriverError when the window's thread does not answer in time.
LRESULT Send(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0,
             Duration timeout = kTimeout);
// Sends a message and waits at most `timeout`; returns false when the
// handler is still running then (for instance behind a modal box).
bool TrySend(HWND window, UINT message, WPARAM wparam, LPARAM lparam, Duration timeout,
             LRESULT* result = nullptr);
// Posts a message to the window's queue, as input arrives.
void Post(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0);

std::wstring Text(HWND window);  // WM_GETTEXT
std::wstring ClassOf(HWND window);
int IdOf(HWND window);
DWORD ProcessOf(HWND window);
bool IsShown(HWND window);  // the window and all its parents are visible
bool IsEnabled(HWND window);
RECT ScreenRect(HWND window);

// The child with this control id; FindChild returns null, Child throws.
HWND FindChild(HWND parent, int id);
HWND Child(HWND parent, int id);
// Direct children of `parent`, in z-order.
std::vector<HWND> Children(HWND parent);
// Top-level windows of a process, in z-order (topmost first).
std::vector<HWND> TopLevelWindows(DWORD processId);

// A block of memory inside the process that owns a window, for messages
// whose parameters point to structures.
class RemoteMemory {
 public:
  RemoteMemory(HWND owner, std::size_t size);
  ~RemoteMemory();
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  // The block's address in the other process, at `offset`.
  LPARAM At(std::size_t offset = 0) const;
  void Write(const void* data, std::size_t size, std::size_t offset = 0);
  void Read(void* data, std::size_t size, std::size_t offset = 0) const;

 private:
  HANDLE process_;
  void* base_;
  std::size_t size_;
};

}  // namespace wine_driver

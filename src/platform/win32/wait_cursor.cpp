#include "platform/win32/wait_cursor.h"

#include <windows.h>

namespace platform::win32 {

namespace {

int scopes = 0;
int pauses = 0;
HCURSOR cursorBefore = nullptr;

HCURSOR WaitCursor() { return ::LoadCursorW(nullptr, IDC_WAIT); }

}  // namespace

WaitCursorScope::WaitCursorScope() {
  if (scopes++ == 0 && pauses == 0) cursorBefore = ::SetCursor(WaitCursor());
}

WaitCursorScope::~WaitCursorScope() {
  if (--scopes == 0 && pauses == 0) ::SetCursor(cursorBefore);
}

WaitCursorPause::WaitCursorPause() {
  if (pauses++ == 0 && scopes > 0) ::SetCursor(cursorBefore);
}

WaitCursorPause::~WaitCursorPause() {
  if (--pauses == 0 && scopes > 0) cursorBefore = ::SetCursor(WaitCursor());
}

bool WaitCursorShown() { return scopes > 0 && pauses == 0; }

void ShowWaitCursor() { ::SetCursor(WaitCursor()); }

}  // namespace platform::win32

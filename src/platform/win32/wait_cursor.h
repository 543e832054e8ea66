// The standard wait cursor over the program's windows while an exchange
// with a panel is under way, as Windows programs show during a blocking
// operation. The user-interface thread is the only one that uses it.
#pragma once

namespace platform::win32 {

// Shows the wait cursor for its lifetime; nested scopes share one cursor,
// and the last one to end restores the cursor shown before the first.
class WaitCursorScope {
 public:
  WaitCursorScope();
  ~WaitCursorScope();
  WaitCursorScope(const WaitCursorScope&) = delete;
  WaitCursorScope& operator=(const WaitCursorScope&) = delete;
};

// The normal cursor for its lifetime, even inside a WaitCursorScope: a
// message box or file dialog waits for the user, not for the panel.
class WaitCursorPause {
 public:
  WaitCursorPause();
  ~WaitCursorPause();
  WaitCursorPause(const WaitCursorPause&) = delete;
  WaitCursorPause& operator=(const WaitCursorPause&) = delete;
};

// True while the wait cursor is to be shown: windows answer WM_SETCURSOR
// with it then.
bool WaitCursorShown();
// Sets the wait cursor; for WM_SETCURSOR while WaitCursorShown().
void ShowWaitCursor();

}  // namespace platform::win32

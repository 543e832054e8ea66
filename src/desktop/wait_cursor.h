// The standard wait cursor over the program's windows while an exchange
// with a panel is under way, as Windows programs show during a blocking
// operation. The program makes one for its user-interface thread, the only
// thread that uses it.
#pragma once

#include <windows.h>

namespace desktop {

class WaitCursor {
 public:
  WaitCursor() = default;
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

  // An exchange begins or ends. Nested exchanges share one wait cursor, and
  // the last one to end restores the cursor shown before the first.
  void BeginWait();
  void EndWait();

  // The normal cursor for its lifetime, even during an exchange: a message
  // box or file dialog waits for the user, not for the panel.
  class Pause {
   public:
    explicit Pause(WaitCursor& cursor);
    ~Pause();
    Pause(const Pause&) = delete;
    Pause& operator=(const Pause&) = delete;

   private:
    WaitCursor& cursor_;
  };

  // True while the wait cursor is to be shown: windows answer WM_SETCURSOR
  // with it then.
  bool Shown() const { return waits_ > 0 && pauses_ == 0; }
  // Sets the wait cursor; for WM_SETCURSOR while Shown().
  static void Show();

 private:
  int waits_ = 0;
  int pauses_ = 0;
  HCURSOR cursorBefore_ = nullptr;
};

}  // namespace desktop

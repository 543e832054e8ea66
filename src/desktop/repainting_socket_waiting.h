// The program's socket waiting: its exchanges with the panels run on the
// user-interface thread, which keeps repainting the windows while a call
// waits (WaitRepaintingWindows) and shows the wait cursor while a socket
// lives.
#pragma once

#include "desktop/paint_only_wait.h"
#include "desktop/wait_cursor.h"
#include "platform/win32/socket_waiting.h"

namespace desktop {

class RepaintingSocketWaiting final : public platform::win32::SocketWaiting {
 public:
  // `cursor` outlives this object and every socket that waits with it.
  explicit RepaintingSocketWaiting(WaitCursor& cursor) : cursor_(cursor) {}

  platform::win32::EventWait WaitForEvent(HANDLE event, std::chrono::milliseconds limit) override {
    return WaitRepaintingWindows(event, limit);
  }
  void SocketOpened() override { cursor_.BeginWait(); }
  void SocketClosed() override { cursor_.EndWait(); }

 private:
  WaitCursor& cursor_;
};

}  // namespace desktop

#include "platform/win32/paint_only_wait.h"

namespace platform::win32 {

namespace {

// A window whose paint handler leaves its region invalid would otherwise
// keep this loop busy; what is left over waits for the next wake-up.
constexpr int kMaxPaintsPerWakeUp = 256;

void DispatchPendingPaints() {
  MSG message;
  for (int i = 0; i < kMaxPaintsPerWakeUp; ++i) {
    if (!::PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) return;
    ::DispatchMessageW(&message);
  }
}

}  // namespace

bool WaitRepaintingWindows(HANDLE event) {
  // Paint work left from before the wait would not wake it up.
  DispatchPendingPaints();
  for (;;) {
    const DWORD woken = ::MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_PAINT);
    if (woken == WAIT_OBJECT_0) return true;
    if (woken != WAIT_OBJECT_0 + 1) return false;
    DispatchPendingPaints();
  }
}

}  // namespace platform::win32

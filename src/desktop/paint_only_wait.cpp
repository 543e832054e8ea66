#include "desktop/paint_only_wait.h"

namespace desktop {

using platform::win32::EventWait;
using platform::win32::SingleWaitUntil;

namespace {

using Clock = std::chrono::steady_clock;

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

EventWait WaitRepaintingWindows(HANDLE event, std::chrono::milliseconds limit) {
  const Clock::time_point deadline = Clock::now() + limit;
  // Paint work left from before the wait would not wake it up.
  DispatchPendingPaints();
  for (;;) {
    const DWORD woken =
        ::MsgWaitForMultipleObjects(1, &event, FALSE, SingleWaitUntil(deadline), QS_PAINT);
    if (woken == WAIT_OBJECT_0) return EventWait::kSignalled;
    if (woken == WAIT_OBJECT_0 + 1) {
      DispatchPendingPaints();
    } else if (woken != WAIT_TIMEOUT) {
      return EventWait::kFailed;
    }
    // Painting past the deadline still leaves the event its last look.
    if (Clock::now() >= deadline) {
      return ::WaitForSingleObject(event, 0) == WAIT_OBJECT_0 ? EventWait::kSignalled
                                                              : EventWait::kTimedOut;
    }
  }
}

}  // namespace desktop

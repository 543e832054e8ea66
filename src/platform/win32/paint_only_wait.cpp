#include "platform/win32/paint_only_wait.h"

#include <algorithm>

namespace platform::win32 {

namespace {

using Clock = std::chrono::steady_clock;

// A window whose paint handler leaves its region invalid would otherwise
// keep this loop busy; what is left over waits for the next wake-up.
constexpr int kMaxPaintsPerWakeUp = 256;
// MsgWaitForMultipleObjects takes milliseconds below INFINITE.
constexpr long long kLongestSingleWait = 0x7FFFFFFF;

void DispatchPendingPaints() {
  MSG message;
  for (int i = 0; i < kMaxPaintsPerWakeUp; ++i) {
    if (!::PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) return;
    ::DispatchMessageW(&message);
  }
}

}  // namespace

bool WaitRepaintingWindows(HANDLE event, std::chrono::milliseconds limit) {
  const Clock::time_point deadline = Clock::now() + limit;
  // Paint work left from before the wait would not wake it up.
  DispatchPendingPaints();
  for (;;) {
    const long long left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return ::WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
    const auto wait = static_cast<DWORD>(std::min(left, kLongestSingleWait));
    const DWORD woken = ::MsgWaitForMultipleObjects(1, &event, FALSE, wait, QS_PAINT);
    if (woken == WAIT_OBJECT_0) return true;
    if (woken == WAIT_OBJECT_0 + 1) {
      DispatchPendingPaints();
    } else if (woken != WAIT_TIMEOUT) {
      return false;
    }
  }
}

}  // namespace platform::win32

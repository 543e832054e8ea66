#include "platform/win32/socket_waiting.h"

#include <algorithm>

namespace platform::win32 {

namespace {

using Clock = std::chrono::steady_clock;

// The waits take milliseconds below INFINITE.
constexpr long long kLongestSingleWait = 0x7FFFFFFF;

}  // namespace

DWORD SingleWaitUntil(Clock::time_point deadline) {
  const long long left =
      std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return static_cast<DWORD>(std::clamp(left, 0LL, kLongestSingleWait));
}

EventWait PlainSocketWaiting::WaitForEvent(HANDLE event, std::chrono::milliseconds limit) {
  const Clock::time_point deadline = Clock::now() + limit;
  // A limit longer than one system wait takes several.
  for (;;) {
    const DWORD woken = ::WaitForSingleObject(event, SingleWaitUntil(deadline));
    if (woken == WAIT_OBJECT_0) return EventWait::kSignalled;
    if (woken != WAIT_TIMEOUT) return EventWait::kFailed;
    if (Clock::now() >= deadline) return EventWait::kTimedOut;
  }
}

}  // namespace platform::win32

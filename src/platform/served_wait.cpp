#include "platform/served_wait.h"

#include <algorithm>

namespace platform {

Readiness WaitInSlices(const StopSignal& stop, std::chrono::milliseconds limit,
                       const PollSlice& pollSlice) {
  using Clock = std::chrono::steady_clock;
  const bool limited = limit.count() >= 0;
  const Clock::time_point deadline = Clock::now() + (limited ? limit : limit.zero());
  for (;;) {
    if (stop.Triggered()) return Readiness::kStopped;
    auto slice = kStopCheckInterval;
    if (limited) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
      slice = std::clamp(left, left.zero(), slice);
    }
    if (pollSlice(static_cast<int>(slice.count())) != 0) return Readiness::kReady;
    if (limited && Clock::now() >= deadline) return Readiness::kTimeout;
  }
}

}  // namespace platform

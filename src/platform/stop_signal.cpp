#include "platform/stop_signal.h"

namespace platform {

void StopSignal::Trigger() {
  {
    const std::lock_guard lock(mutex_);
    triggered_ = true;
  }
  raised_.notify_all();
}

bool StopSignal::SleepFor(std::chrono::milliseconds duration) const {
  std::unique_lock lock(mutex_);
  return !raised_.wait_for(lock, duration, [this] { return triggered_.load(); });
}

}  // namespace platform

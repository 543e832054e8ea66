#include "platform/stop_signal.h"

namespace platform {

StopSignal::Wake::Wake(const StopSignal& signal, std::function<void()> wake) : signal_(signal) {
  const std::lock_guard lock(signal_.mutex_);
  id_ = signal_.nextWake_++;
  signal_.wakes_.emplace(id_, std::move(wake));
}

StopSignal::Wake::~Wake() {
  const std::lock_guard lock(signal_.mutex_);
  signal_.wakes_.erase(id_);
}

void StopSignal::Trigger() {
  {
    const std::lock_guard lock(mutex_);
    if (triggered_.exchange(true)) return;
    // Under the lock, so that no wake runs after its holder has gone.
    for (const auto& [id, wake] : wakes_) wake();
  }
  raised_.notify_all();
}

bool StopSignal::SleepFor(std::chrono::milliseconds duration) const {
  std::unique_lock lock(mutex_);
  return !raised_.wait_for(lock, duration, [this] { return triggered_.load(); });
}

}  // namespace platform

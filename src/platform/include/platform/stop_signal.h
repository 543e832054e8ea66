// A signal raised once to end a group of threads: every wait given it (a
// sleep, a wait on a served socket) ends promptly once it is raised.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace platform {

class StopSignal {
 public:
  StopSignal() = default;
  StopSignal(const StopSignal&) = delete;
  StopSignal& operator=(const StopSignal&) = delete;

  void Trigger();
  bool Triggered() const { return triggered_.load(); }
  // Sleeps for `duration` unless raised first; false when raised.
  bool SleepFor(std::chrono::milliseconds duration) const;

 private:
  std::atomic<bool> triggered_{false};
  mutable std::mutex mutex_;
  mutable std::condition_variable raised_;
};

// How long a socket wait sleeps before it looks at the stop signal again.
// Neither poll() nor WSAPoll can also wait on a thread's signal, so the
// waits of the serving side go in slices this long: the stop is seen within
// one, while data ends a slice at once.
inline constexpr std::chrono::milliseconds kStopCheckInterval{20};

}  // namespace platform

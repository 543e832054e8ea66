// A signal raised once to end a group of threads: every wait given it (a
// sleep, a wait on a served socket) ends promptly once it is raised.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>

namespace platform {

class StopSignal {
 public:
  StopSignal() = default;
  StopSignal(const StopSignal&) = delete;
  StopSignal& operator=(const StopSignal&) = delete;

  // Keeps a wake registered while it lives: a wait that only something
  // from outside can end (a poll without a time limit) is ended by it when
  // the signal is raised. Its end waits for a wake that is running.
  class Wake {
   public:
    Wake(const StopSignal& signal, std::function<void()> wake);
    ~Wake();
    Wake(const Wake&) = delete;
    Wake& operator=(const Wake&) = delete;

   private:
    const StopSignal& signal_;
    std::uint64_t id_;
  };

  // Raises the signal, then runs every registered wake once.
  void Trigger();
  bool Triggered() const { return triggered_.load(); }
  // Sleeps for `duration` unless raised first; false when raised.
  bool SleepFor(std::chrono::milliseconds duration) const;

 private:
  std::atomic<bool> triggered_{false};
  mutable std::mutex mutex_;
  mutable std::condition_variable raised_;
  mutable std::uint64_t nextWake_ = 0;
  mutable std::map<std::uint64_t, std::function<void()>> wakes_;
};

// How long a socket wait sleeps before it looks at the stop signal again.
// Neither poll() nor WSAPoll can also wait on a thread's signal, so the
// waits of the serving side go in slices this long: the stop is seen within
// one, while data ends a slice at once.
inline constexpr std::chrono::milliseconds kStopCheckInterval{20};

}  // namespace platform

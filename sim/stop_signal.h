// The simulator's stop signal: a pipe that becomes readable once the
// simulator stops, so that every wait on a socket can also wait on it and
// every thread ends promptly.
#pragma once

#include <chrono>

namespace sim {

class StopSignal {
 public:
  StopSignal();
  ~StopSignal();
  StopSignal(const StopSignal&) = delete;
  StopSignal& operator=(const StopSignal&) = delete;

  void Trigger();
  bool Triggered() const;
  // Readable once triggered; for poll().
  int Fd() const { return readFd_; }
  // Sleeps for `duration` unless stopped first; false when stopped.
  bool SleepFor(std::chrono::milliseconds duration) const;

 private:
  int readFd_ = -1;
  int writeFd_ = -1;
};

// What a wait on one descriptor ended with.
enum class WaitResult { kReady, kTimeout, kStopped };

// Waits until `fd` has the `events` (POLLIN, POLLOUT) or the stop signal
// fires; a negative timeout waits without limit.
WaitResult WaitFor(int fd, short events, const StopSignal& stop,
                   std::chrono::milliseconds timeout = std::chrono::milliseconds(-1));

}  // namespace sim

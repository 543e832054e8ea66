// The requests to end a command-line program (SIGINT, SIGTERM and SIGHUP, a
// console control event on Windows) turned into a stop signal that its work
// looks at: a first request raises it, a second ends the program at once.
#pragma once

#include <atomic>
#include <thread>

#include "platform/stop_request.h"
#include "platform/stop_signal.h"

namespace platform {

class StopWatch {
 public:
  // Made before any other thread starts (StopRequests); a second request
  // ends the program with `exitCode`.
  explicit StopWatch(int exitCode);
  ~StopWatch();
  StopWatch(const StopWatch&) = delete;
  StopWatch& operator=(const StopWatch&) = delete;

  const StopSignal& Signal() const { return stop_; }

 private:
  void Watch();

  StopRequests requests_;
  StopSignal stop_;
  int exitCode_;
  std::atomic<bool> ending_{false};
  std::thread watcher_;
};

}  // namespace platform

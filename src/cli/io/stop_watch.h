// The requests to end vk38 (SIGINT and SIGTERM, a console control event on
// Windows) turned into a stop signal that the runs look at: a first request
// raises it, a second ends the program at once.
#pragma once

#include <atomic>
#include <thread>

#include "platform/stop_request.h"
#include "platform/stop_signal.h"

namespace cli {

class StopWatch {
 public:
  // Made before any other thread starts (platform::StopRequests).
  StopWatch();
  ~StopWatch();
  StopWatch(const StopWatch&) = delete;
  StopWatch& operator=(const StopWatch&) = delete;

  const platform::StopSignal& Signal() const { return stop_; }

 private:
  void Watch();

  platform::StopRequests requests_;
  platform::StopSignal stop_;
  std::atomic<bool> ending_{false};
  std::thread watcher_;
};

}  // namespace cli

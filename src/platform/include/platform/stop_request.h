// The request to end a console program from outside: SIGTERM or SIGINT on
// POSIX systems, and SIGHUP when the terminal goes away; Ctrl+C,
// Ctrl+Break, the console closing, the user logging off or the system
// shutting down on Windows.
#pragma once

#include <chrono>

namespace platform {

class StopRequests {
 public:
  // Takes the requests over from the default handling, which would end the
  // process at once. Make it before any other thread starts: on POSIX the
  // signals are blocked for every thread started afterwards.
  StopRequests();
  ~StopRequests();
  StopRequests(const StopRequests&) = delete;
  StopRequests& operator=(const StopRequests&) = delete;

  // Blocks until a request arrives. Each request is taken by one wait.
  void Wait();
  // Blocks until a request arrives (true) or `limit` has passed (false).
  bool WaitFor(std::chrono::milliseconds limit);
};

}  // namespace platform

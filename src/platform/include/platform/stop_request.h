// The request to end a console program from outside: SIGTERM or SIGINT on
// POSIX systems, and SIGHUP when the terminal goes away; Ctrl+C,
// Ctrl+Break, the console closing, the user logging off or the system
// shutting down on Windows.
#pragma once

#include <thread>

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

  // Blocks until a request arrives, or until Release ends the wait. Each
  // request is taken by one wait.
  void Wait();
  // Ends the current or the next Wait of `waiter`, the thread that waits for
  // requests, as a request would: for its owner, which tells the two apart,
  // to end that thread at once rather than after a poll.
  void Release(std::thread& waiter);
};

}  // namespace platform

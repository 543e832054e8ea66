#include <pthread.h>

#include <csignal>
#include <ctime>

#include "platform/stop_request.h"

namespace platform {

namespace {

sigset_t Requests() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGINT);
  // A hang-up (the terminal or the ssh session gone) ends the run as SIGTERM
  // does, with its panels told and its temporary files removed.
  sigaddset(&signals, SIGHUP);
  return signals;
}

}  // namespace

StopRequests::StopRequests() {
  // Blocked, the signals wait for sigwait in Wait instead of ending the
  // process; threads started later inherit the mask.
  const sigset_t signals = Requests();
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
}

StopRequests::~StopRequests() {
  const sigset_t signals = Requests();
  pthread_sigmask(SIG_UNBLOCK, &signals, nullptr);
}

bool StopRequests::WaitFor(std::chrono::milliseconds limit) {
  const sigset_t signals = Requests();
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(limit);
  const timespec wait{.tv_sec = static_cast<time_t>(seconds.count()),
                      .tv_nsec = static_cast<long>((limit - seconds).count() * 1000000)};
  return sigtimedwait(&signals, nullptr, &wait) > 0;
}

void StopRequests::Wait() {
  const sigset_t signals = Requests();
  int received = 0;
  sigwait(&signals, &received);
}

}  // namespace platform

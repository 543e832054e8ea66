#include <pthread.h>

#include <csignal>

#include "platform/stop_request.h"

namespace platform {

namespace {

sigset_t Requests() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGINT);
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

void StopRequests::Wait() {
  const sigset_t signals = Requests();
  int received = 0;
  sigwait(&signals, &received);
}

}  // namespace platform

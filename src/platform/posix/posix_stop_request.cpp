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

void StopRequests::Wait() {
  const sigset_t signals = Requests();
  int received = 0;
  sigwait(&signals, &received);
}

void StopRequests::Release(std::thread& waiter) {
  // Sent to the waiter alone, the blocked signal stays pending for it until
  // its sigwait takes it, so a release before the wait is not lost.
  pthread_kill(waiter.native_handle(), SIGTERM);
}

}  // namespace platform

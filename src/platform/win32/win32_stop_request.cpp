#include <windows.h>

#include "platform/stop_request.h"

namespace platform {

namespace {

// Console control handlers are plain functions, run on a thread of their
// own, so the event they set is the process's one: made once and never
// closed, it cannot be gone under a handler that runs late. It resets as a
// wait takes it, so that each request is seen once, as a signal that
// sigwait takes on POSIX: a program that watches for a second request
// (vk38) must not see the first again.
HANDLE RequestedEvent() {
  static const HANDLE requested = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
  return requested;
}

// Every event counts alike: Ctrl+C, Ctrl+Break, the console closing, the
// user logging off and the system shutting down.
BOOL WINAPI OnConsoleControl(DWORD /*event*/) {
  ::SetEvent(RequestedEvent());
  // Handled: the program ends in its own time. For a closing console the
  // system ends the process once the handler returns; the moment given to
  // the main thread lets it stop its threads first.
  ::Sleep(2000);
  return TRUE;
}

}  // namespace

StopRequests::StopRequests() {
  ::ResetEvent(RequestedEvent());  // a request counts from here on
  ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

StopRequests::~StopRequests() { ::SetConsoleCtrlHandler(OnConsoleControl, FALSE); }

void StopRequests::Wait() { ::WaitForSingleObject(RequestedEvent(), INFINITE); }

void StopRequests::Release(std::thread& /*waiter*/) { ::SetEvent(RequestedEvent()); }

}  // namespace platform

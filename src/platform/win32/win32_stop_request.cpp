#include <windows.h>

#include "platform/stop_request.h"

namespace platform {

namespace {

// Console control handlers are plain functions, so the event they set is
// the process's one.
HANDLE requested = nullptr;

BOOL WINAPI OnConsoleControl(DWORD /*event*/) {
  ::SetEvent(requested);
  // Handled: the program ends in its own time. For a closing console the
  // system ends the process once the handler returns; the moment given to
  // the main thread lets it stop its threads first.
  ::Sleep(2000);
  return TRUE;
}

}  // namespace

StopRequests::StopRequests() {
  requested = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

StopRequests::~StopRequests() {
  ::SetConsoleCtrlHandler(OnConsoleControl, FALSE);
  ::CloseHandle(requested);
  requested = nullptr;
}

void StopRequests::Wait() { ::WaitForSingleObject(requested, INFINITE); }

bool StopRequests::WaitFor(std::chrono::milliseconds limit) {
  return ::WaitForSingleObject(requested, static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
}

}  // namespace platform

// How a Winsock stream socket waits for its event, given by whoever makes the
// network: the program waits on its user-interface thread, repainting its
// windows and showing the wait cursor meanwhile; vk38, the simulator, the
// tests and the benches wait plainly, on any thread, touching no window and
// no shared state.
#pragma once

#include <windows.h>

#include <chrono>

namespace platform::win32 {

// What a wait on an event ended with.
enum class EventWait { kSignalled, kTimedOut, kFailed };

class SocketWaiting {
 public:
  virtual ~SocketWaiting() = default;
  // Blocks until `event` is signalled, `limit` has passed or the wait fails.
  virtual EventWait WaitForEvent(HANDLE event, std::chrono::milliseconds limit) = 0;
  // A socket lives as long as one exchange with a panel: these mark its
  // start and end. Nothing happens by default.
  virtual void SocketOpened() {}
  virtual void SocketClosed() {}
};

// The wait of any thread: the event alone, with no window involved.
class PlainSocketWaiting final : public SocketWaiting {
 public:
  EventWait WaitForEvent(HANDLE event, std::chrono::milliseconds limit) override;
};

// The timeout to give one system wait that is to end at `deadline`: what is
// left of it, rounded up, and at most what a single wait takes.
DWORD SingleWaitUntil(std::chrono::steady_clock::time_point deadline);

}  // namespace platform::win32

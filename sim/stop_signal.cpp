#include "sim/stop_signal.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace sim {

StopSignal::StopSignal() {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
    readFd_ = fds[0];
    writeFd_ = fds[1];
  }
}

StopSignal::~StopSignal() {
  if (readFd_ >= 0) ::close(readFd_);
  if (writeFd_ >= 0) ::close(writeFd_);
}

void StopSignal::Trigger() {
  if (Triggered()) return;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(writeFd_, &byte, 1);
}

bool StopSignal::Triggered() const {
  pollfd entry{readFd_, POLLIN, 0};
  return ::poll(&entry, 1, 0) > 0;
}

bool StopSignal::SleepFor(std::chrono::milliseconds duration) const {
  pollfd entry{readFd_, POLLIN, 0};
  const auto deadline = std::chrono::steady_clock::now() + duration;
  for (;;) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return true;
    const int result = ::poll(&entry, 1, static_cast<int>(left.count()));
    if (result > 0) return false;
    if (result < 0 && errno != EINTR) return false;
  }
}

WaitResult WaitFor(int fd, short events, const StopSignal& stop,
                   std::chrono::milliseconds timeout) {
  const bool unlimited = timeout.count() < 0;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  pollfd entries[2] = {{fd, events, 0}, {stop.Fd(), POLLIN, 0}};
  for (;;) {
    int wait = -1;
    if (!unlimited) {
      const auto left =
          std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      wait = static_cast<int>(left.count() < 0 ? 0 : left.count());
    }
    const int result = ::poll(entries, 2, wait);
    if (result < 0 && errno == EINTR) continue;
    if (result < 0 || entries[1].revents != 0) return WaitResult::kStopped;
    if (entries[0].revents != 0) return WaitResult::kReady;
    if (result == 0) return WaitResult::kTimeout;
  }
}

}  // namespace sim

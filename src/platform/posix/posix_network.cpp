#include "platform/posix/posix_network.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

bool WouldBlock() { return errno == EAGAIN || errno == EWOULDBLOCK; }

class PosixStreamSocket : public StreamSocket {
 public:
  PosixStreamSocket(int fd, WaitLimit limit) : fd_(fd), limit_(limit) {}
  ~PosixStreamSocket() override { ::close(fd_); }
  PosixStreamSocket(const PosixStreamSocket&) = delete;
  PosixStreamSocket& operator=(const PosixStreamSocket&) = delete;

  bool Connect(const std::string& addressText, std::uint16_t port) override {
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(port);
    if (::inet_pton(AF_INET, addressText.c_str(), &peer.sin_addr) != 1) return false;
    if (::connect(fd_, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) == 0) return true;
    if (errno != EINPROGRESS && errno != EINTR) return false;
    if (WaitFor(POLLOUT, Clock::now() + limit_) != Waited::kReady) return false;
    int error = 0;
    socklen_t length = sizeof error;
    return ::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
  }

  std::ptrdiff_t Send(const std::uint8_t* data, std::size_t length) override {
    const Clock::time_point deadline = Clock::now() + limit_;
    for (;;) {
      const ssize_t sent = ::send(fd_, data, length, MSG_NOSIGNAL);
      if (sent >= 0) return sent;
      if (errno == EINTR) continue;
      if (const std::ptrdiff_t failed = WaitAfterWouldBlock(POLLOUT, deadline)) return failed;
    }
  }

  std::ptrdiff_t Receive(std::uint8_t* buffer, std::size_t capacity) override {
    const Clock::time_point deadline = Clock::now() + limit_;
    for (;;) {
      const ssize_t got = ::recv(fd_, buffer, capacity, 0);
      if (got >= 0) return got;
      if (errno == EINTR) continue;
      if (const std::ptrdiff_t failed = WaitAfterWouldBlock(POLLIN, deadline)) return failed;
    }
  }

  void SetWaitLimit(WaitLimit limit) override { limit_ = limit; }
  void EndWaitsOn(const StopSignal& stop) override { stop_ = &stop; }

 private:
  enum class Waited { kReady, kTimedOut, kFailed };

  // After a call failed: 0 when it would have blocked and the socket is
  // ready now (try again), else what the call returns: -1 for any other
  // error, kTimedOut at the deadline.
  std::ptrdiff_t WaitAfterWouldBlock(short events, Clock::time_point deadline) const {
    if (!WouldBlock()) return -1;
    switch (WaitFor(events, deadline)) {
      case Waited::kReady:
        return 0;
      case Waited::kTimedOut:
        return kTimedOut;
      case Waited::kFailed:
        break;
    }
    return -1;
  }

  // Sleeps until the socket is ready for `events` or reports an error or
  // hang-up (kReady: the next call tells which), or the deadline passes,
  // or the stop signal is raised (kFailed), looked at between slices.
  Waited WaitFor(short events, Clock::time_point deadline) const {
    for (;;) {
      if (stop_ && stop_->Triggered()) return Waited::kFailed;
      auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
      if (left.count() <= 0) return Waited::kTimedOut;
      if (stop_) left = std::min(left, kStopCheckInterval);
      pollfd watched{fd_, events, 0};
      const int ready =
          ::poll(&watched, 1, static_cast<int>(std::min<long long>(left.count(), INT_MAX)));
      if (ready > 0) return Waited::kReady;
      if (ready < 0 && errno != EINTR) return Waited::kFailed;
    }
  }

  int fd_;
  WaitLimit limit_;
  const StopSignal* stop_ = nullptr;
};

}  // namespace

std::unique_ptr<StreamSocket> PosixNetwork::CreateStreamSocket(WaitLimit limit) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return nullptr;
  auto socket = std::make_unique<PosixStreamSocket>(fd, limit);
  // Every wait happens in poll(), bounded by the limit; a blocking call
  // would wait without end.
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) != 0) return nullptr;
  ::fcntl(fd, F_SETFD, FD_CLOEXEC);
  // A panel that vanishes without a word (a pulled cable) is noticed on an
  // idle connection too.
  const int on = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
  return socket;
}

}  // namespace platform

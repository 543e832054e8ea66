// The serving side on BSD sockets: non-blocking sockets whose waits poll()
// in slices (platform/served_wait.h); a listening socket's wait is ended by
// the stop itself.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/posix/posix_network.h"
#include "platform/served_wait.h"

namespace platform {

namespace {

bool WouldBlock() { return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR; }

Readiness PollFor(int fd, short events, const StopSignal& stop, std::chrono::milliseconds limit) {
  return WaitInSlices(stop, limit, [fd, events](int milliseconds) {
    pollfd watched{fd, events, 0};
    return ::poll(&watched, 1, milliseconds);
  });
}

class PosixServedSocket : public ServedSocket {
 public:
  explicit PosixServedSocket(int fd) : fd_(fd) {}
  ~PosixServedSocket() override {
    if (fd_ >= 0) ::close(fd_);
  }
  PosixServedSocket(const PosixServedSocket&) = delete;
  PosixServedSocket& operator=(const PosixServedSocket&) = delete;

  std::ptrdiff_t Receive(std::uint8_t* buffer, std::size_t capacity) override {
    const ssize_t got = ::recv(fd_, buffer, capacity, 0);
    if (got < 0 && WouldBlock()) return kWouldBlock;
    return got;
  }

  std::ptrdiff_t Send(const std::uint8_t* data, std::size_t length) override {
    const ssize_t sent = ::send(fd_, data, length, MSG_NOSIGNAL);
    if (sent < 0 && WouldBlock()) return kWouldBlock;
    return sent;
  }

  Readiness WaitToReceive(const StopSignal& stop, std::chrono::milliseconds limit) override {
    return PollFor(fd_, POLLIN, stop, limit);
  }

  Readiness WaitToSend(const StopSignal& stop, std::chrono::milliseconds limit) override {
    return PollFor(fd_, POLLOUT, stop, limit);
  }

  Readiness WaitForPeerToClose(const StopSignal& stop) override {
    // POLLRDHUP tells the end of the stream without reading what is before it.
    return PollFor(fd_, POLLRDHUP, stop, kUntilStopped);
  }

  void EndSending() override { ::shutdown(fd_, SHUT_WR); }

  void Reset() override {
    const linger abort{1, 0};
    ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

class PosixListeningSocket : public ListeningSocket {
 public:
  explicit PosixListeningSocket(int fd) : fd_(fd) {}
  ~PosixListeningSocket() override { ::close(fd_); }
  PosixListeningSocket(const PosixListeningSocket&) = delete;
  PosixListeningSocket& operator=(const PosixListeningSocket&) = delete;

  // Waits in long slices: a simulator of a thousand panels has a thousand
  // sockets listening, and polls in the usual slices would wake fifty times
  // a second each. The stop shuts the socket for accepting instead, which
  // ends the poll at once on Linux (elsewhere within a slice); the socket is
  // not accepted on again after a stop. Shut down, not closed: the
  // descriptor stays this socket's until it is destroyed.
  std::unique_ptr<ServedSocket> Accept(const StopSignal& stop) override {
    constexpr int kListeningSliceMs = 1000;
    const StopSignal::Wake wake(stop, [fd = fd_] { ::shutdown(fd, SHUT_RD); });
    while (!stop.Triggered()) {
      pollfd watched{fd_, POLLIN, 0};
      const int ready = ::poll(&watched, 1, kListeningSliceMs);
      if (ready < 0 && errno != EINTR) return nullptr;
      if (ready <= 0) continue;
      if (stop.Triggered()) break;
      const int fd = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd >= 0) return AdoptServedSocket(fd);
    }
    return nullptr;
  }

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<ServedSocket> AdoptServedSocket(int fd) {
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
  const int on = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  return std::make_unique<PosixServedSocket>(fd);
}

std::unique_ptr<ListeningSocket> PosixNetwork::Listen(const std::string& addressText,
                                                      std::uint16_t port, std::string& error) {
  const std::string where = addressText + ":" + std::to_string(port);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(port);
  if (::inet_pton(AF_INET, addressText.c_str(), &local.sin_addr) != 1) {
    error = "listen on " + where + ": not an address";
    return nullptr;
  }
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) {
    error = "socket for " + where + ": " + std::strerror(errno);
    return nullptr;
  }
  auto listening = std::make_unique<PosixListeningSocket>(fd);
  const int on = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0 ||
      ::listen(fd, 8) != 0) {
    error = "listen on " + where + ": " + std::strerror(errno);
    return nullptr;
  }
  return listening;
}

}  // namespace platform

// The serving side on Winsock: non-blocking sockets whose waits run WSAPoll
// in slices (platform/served_wait.h) on the simulator's own threads; unlike
// the panel link's sockets, they never touch a window.

// clang-format off
#include <winsock2.h>
#include <ws2tcpip.h>
// clang-format on

#include <climits>

#include "platform/served_wait.h"
#include "platform/win32/win32_network.h"

namespace platform {

namespace {

int Clamp(std::size_t length) { return length > INT_MAX ? INT_MAX : static_cast<int>(length); }

// What a call that returned SOCKET_ERROR means for the caller.
std::ptrdiff_t Failure() {
  return ::WSAGetLastError() == WSAEWOULDBLOCK ? ServedSocket::kWouldBlock : -1;
}

int PollOnce(SOCKET socket, SHORT events, int milliseconds, SHORT& happened) {
  WSAPOLLFD watched{};
  watched.fd = socket;
  watched.events = events;
  const int ready = ::WSAPoll(&watched, 1, milliseconds);
  happened = watched.revents;
  return ready;
}

Readiness PollFor(SOCKET socket, SHORT events, const StopSignal& stop,
                  std::chrono::milliseconds limit) {
  return WaitInSlices(stop, limit, [socket, events](int milliseconds) {
    SHORT happened = 0;
    return PollOnce(socket, events, milliseconds, happened);
  });
}

class Win32ServedSocket : public ServedSocket {
 public:
  explicit Win32ServedSocket(SOCKET socket) : socket_(socket) {}
  ~Win32ServedSocket() override {
    if (socket_ != INVALID_SOCKET) ::closesocket(socket_);
  }
  Win32ServedSocket(const Win32ServedSocket&) = delete;
  Win32ServedSocket& operator=(const Win32ServedSocket&) = delete;

  std::ptrdiff_t Receive(std::uint8_t* buffer, std::size_t capacity) override {
    const int got = ::recv(socket_, reinterpret_cast<char*>(buffer), Clamp(capacity), 0);
    return got == SOCKET_ERROR ? Failure() : got;
  }

  std::ptrdiff_t Send(const std::uint8_t* data, std::size_t length) override {
    const int sent = ::send(socket_, reinterpret_cast<const char*>(data), Clamp(length), 0);
    return sent == SOCKET_ERROR ? Failure() : sent;
  }

  Readiness WaitToReceive(const StopSignal& stop, std::chrono::milliseconds limit) override {
    return PollFor(socket_, POLLRDNORM, stop, limit);
  }

  Readiness WaitToSend(const StopSignal& stop, std::chrono::milliseconds limit) override {
    return PollFor(socket_, POLLWRNORM, stop, limit);
  }

  Readiness WaitForPeerToClose(const StopSignal& stop) override {
    // Winsock has no POLLRDHUP: the end of the stream shows as a hang-up, or
    // as readable with nothing to peek at. While unread bytes wait, a slice
    // just passes; the end behind them is then seen only at the stop.
    const SOCKET socket = socket_;
    return WaitInSlices(stop, kUntilStopped, [socket](int milliseconds) {
      SHORT happened = 0;
      const int ready = PollOnce(socket, POLLRDNORM, milliseconds, happened);
      if (ready <= 0) return ready;
      if (happened & (POLLHUP | POLLERR | POLLNVAL)) return 1;
      char next = 0;
      if (::recv(socket, &next, 1, MSG_PEEK) <= 0) return 1;
      ::Sleep(static_cast<DWORD>(milliseconds));
      return 0;
    });
  }

  void EndSending() override { ::shutdown(socket_, SD_SEND); }

  void Reset() override {
    linger abort{};
    abort.l_onoff = 1;
    abort.l_linger = 0;
    ::setsockopt(socket_, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abort),
                 sizeof abort);
    ::closesocket(socket_);
    socket_ = INVALID_SOCKET;
  }

 private:
  SOCKET socket_;
};

class Win32ListeningSocket : public ListeningSocket {
 public:
  explicit Win32ListeningSocket(SOCKET socket) : socket_(socket) {}
  ~Win32ListeningSocket() override { ::closesocket(socket_); }
  Win32ListeningSocket(const Win32ListeningSocket&) = delete;
  Win32ListeningSocket& operator=(const Win32ListeningSocket&) = delete;

  std::unique_ptr<ServedSocket> Accept(const StopSignal& stop) override {
    while (PollFor(socket_, POLLRDNORM, stop, kUntilStopped) == Readiness::kReady) {
      const SOCKET accepted = ::accept(socket_, nullptr, nullptr);
      if (accepted == INVALID_SOCKET) continue;
      u_long nonBlocking = 1;
      ::ioctlsocket(accepted, FIONBIO, &nonBlocking);
      const BOOL on = TRUE;
      ::setsockopt(accepted, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on),
                   sizeof on);
      return std::make_unique<Win32ServedSocket>(accepted);
    }
    return nullptr;
  }

 private:
  SOCKET socket_;
};

}  // namespace

std::unique_ptr<ListeningSocket> win32::Win32Network::Listen(const std::string& addressText,
                                                             std::uint16_t port,
                                                             std::string& error) {
  const std::string where = addressText + ":" + std::to_string(port);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = ::htons(port);
  if (::inet_pton(AF_INET, addressText.c_str(), &local.sin_addr) != 1) {
    error = "listen on " + where + ": not an address";
    return nullptr;
  }
  const SOCKET socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (socket == INVALID_SOCKET) {
    error = "socket for " + where + ": error " + std::to_string(::WSAGetLastError());
    return nullptr;
  }
  // No SO_REUSEADDR: on Windows it would let a second listener take the
  // address from a running one, and connections of an earlier listener
  // that linger in TIME_WAIT do not keep Windows from binding again.
  auto listening = std::make_unique<Win32ListeningSocket>(socket);
  u_long nonBlocking = 1;
  if (::ioctlsocket(socket, FIONBIO, &nonBlocking) != 0 ||
      ::bind(socket, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0 ||
      ::listen(socket, 8) != 0) {
    error = "listen on " + where + ": error " + std::to_string(::WSAGetLastError());
    return nullptr;
  }
  return listening;
}

}  // namespace platform

#include "platform/win32/win32_network.h"

// clang-format off
#include <winsock2.h>
#include <ws2tcpip.h>
// clang-format on

#include <algorithm>
#include <climits>

#include "platform/win32/paint_only_wait.h"
#include "platform/win32/wait_cursor.h"

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

constexpr long kSocketEvents = FD_CONNECT | FD_READ | FD_WRITE | FD_CLOSE;

class Win32StreamSocket : public StreamSocket {
 public:
  Win32StreamSocket(SOCKET socket, WSAEVENT event, WaitLimit limit)
      : socket_(socket), event_(event), limit_(limit) {}
  ~Win32StreamSocket() override {
    ::closesocket(socket_);
    ::WSACloseEvent(event_);
  }
  Win32StreamSocket(const Win32StreamSocket&) = delete;
  Win32StreamSocket& operator=(const Win32StreamSocket&) = delete;

  bool Connect(const std::string& addressText, std::uint16_t port) override {
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = ::htons(port);
    if (::inet_pton(AF_INET, addressText.c_str(), &peer.sin_addr) != 1) return false;
    if (::connect(socket_, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) == 0) {
      return true;
    }
    if (::WSAGetLastError() != WSAEWOULDBLOCK) return false;
    const Clock::time_point deadline = Clock::now() + limit_;
    for (;;) {
      WSANETWORKEVENTS happened{};
      if (WaitForEvents(happened, deadline) != Waited::kSignalled) return false;
      if (happened.lNetworkEvents & FD_CONNECT) return happened.iErrorCode[FD_CONNECT_BIT] == 0;
    }
  }

  std::ptrdiff_t Send(const std::uint8_t* data, std::size_t length) override {
    const int chunk = length > INT_MAX ? INT_MAX : static_cast<int>(length);
    const Clock::time_point deadline = Clock::now() + limit_;
    for (;;) {
      const int sent = ::send(socket_, reinterpret_cast<const char*>(data), chunk, 0);
      if (sent != SOCKET_ERROR) return sent;
      if (const std::ptrdiff_t failed = WaitAfterWouldBlock(deadline)) return failed;
    }
  }

  std::ptrdiff_t Receive(std::uint8_t* buffer, std::size_t capacity) override {
    const int chunk = capacity > INT_MAX ? INT_MAX : static_cast<int>(capacity);
    const Clock::time_point deadline = Clock::now() + limit_;
    // Received until it would block before every wait: Wine may report the
    // close before all data was read and then no further FD_READ.
    for (;;) {
      const int got = ::recv(socket_, reinterpret_cast<char*>(buffer), chunk, 0);
      if (got > 0) return got;
      if (got == 0) return ClosedByReset() ? -1 : 0;
      if (const std::ptrdiff_t failed = WaitAfterWouldBlock(deadline)) return failed;
    }
  }

  void SetWaitLimit(WaitLimit limit) override { limit_ = limit; }
  void EndWaitsOn(const StopSignal& stop) override { stop_ = &stop; }

 private:
  enum class Waited { kSignalled, kTimedOut, kFailed };

  // After a call failed: 0 when it would have blocked and the socket has
  // signalled since (try again), else what the call returns: -1 for any
  // other error, kTimedOut at the deadline.
  std::ptrdiff_t WaitAfterWouldBlock(Clock::time_point deadline) {
    if (::WSAGetLastError() != WSAEWOULDBLOCK) return -1;
    WSANETWORKEVENTS happened{};
    // A signalled event may still find the call blocking; the caller then
    // simply asks again and comes back here.
    switch (WaitForEvents(happened, deadline)) {
      case Waited::kSignalled:
        return 0;
      case Waited::kTimedOut:
        return kTimedOut;
      case Waited::kFailed:
        break;
    }
    return -1;
  }

  // Sleeps until the socket reports something or the deadline passes,
  // repainting the windows meanwhile, and collects (and clears) what it
  // reported. With a stop signal it sleeps in slices and ends (kFailed)
  // once the signal is raised.
  Waited WaitForEvents(WSANETWORKEVENTS& happened, Clock::time_point deadline) {
    for (;;) {
      if (stop_ && stop_->Triggered()) return Waited::kFailed;
      const Clock::time_point sliceEnd =
          stop_ ? std::min(deadline, Clock::now() + kStopCheckInterval) : deadline;
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(sliceEnd - Clock::now());
      if (win32::WaitRepaintingWindows(event_, left)) break;
      if (Clock::now() >= deadline) return Waited::kTimedOut;
      if (Clock::now() < sliceEnd) return Waited::kFailed;
    }
    if (::WSAEnumNetworkEvents(socket_, event_, &happened) != 0) return Waited::kFailed;
    if ((happened.lNetworkEvents & FD_CLOSE) && happened.iErrorCode[FD_CLOSE_BIT] != 0) {
      closeFailed_ = true;
    }
    return Waited::kSignalled;
  }

  // Whether the end of the stream that recv reported as a close was a
  // reset. Windows says so in FD_CLOSE's error code; Wine reports a reset
  // as an orderly close there and in recv, but WSAPoll sees the error.
  bool ClosedByReset() const {
    if (closeFailed_) return true;
    WSAPOLLFD watched{};
    watched.fd = socket_;
    watched.events = POLLRDNORM;
    return ::WSAPoll(&watched, 1, 0) == 1 && (watched.revents & POLLERR) != 0;
  }

  SOCKET socket_;
  WSAEVENT event_;
  WaitLimit limit_;
  const StopSignal* stop_ = nullptr;
  bool closeFailed_ = false;
  // The wait cursor shows while the exchange that owns the socket lasts.
  win32::WaitCursorScope waitCursor_;
};

}  // namespace

std::unique_ptr<StreamSocket> Win32Network::CreateStreamSocket(WaitLimit limit) {
  const SOCKET socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (socket == INVALID_SOCKET) return nullptr;
  const WSAEVENT event = ::WSACreateEvent();
  // Selecting the events also makes the socket non-blocking.
  if (event == WSA_INVALID_EVENT || ::WSAEventSelect(socket, event, kSocketEvents) != 0) {
    if (event != WSA_INVALID_EVENT) ::WSACloseEvent(event);
    ::closesocket(socket);
    return nullptr;
  }
  // A panel that vanishes without a word (a pulled cable) is noticed on an
  // idle connection too.
  const BOOL on = TRUE;
  ::setsockopt(socket, SOL_SOCKET, SO_KEEPALIVE, reinterpret_cast<const char*>(&on), sizeof on);
  return std::make_unique<Win32StreamSocket>(socket, event, limit);
}

}  // namespace platform

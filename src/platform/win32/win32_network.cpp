#include "platform/win32/win32_network.h"

// clang-format off
#include <winsock2.h>
#include <ws2tcpip.h>
// clang-format on

#include <algorithm>
#include <climits>

namespace platform::win32 {

namespace {

using Clock = std::chrono::steady_clock;

// What each wait asks the socket to signal.
constexpr long kConnectEvents = FD_CONNECT;
constexpr long kSendEvents = FD_WRITE | FD_CLOSE;
constexpr long kReceiveEvents = FD_READ | FD_CLOSE;

// The network events a socket signals on its event while this lasts, and
// none afterwards. A socket signals only while a call waits for it:
// selecting FD_READ, FD_WRITE or FD_CLOSE also tells a state the socket is
// already in, while FD_READ kept selected costs a round of Wine's server per
// receive (it watches the socket again after each one and signals the event
// for data that the next receive takes anyway).
class EventSelection {
 public:
  EventSelection(SOCKET socket, WSAEVENT event, long events)
      : socket_(socket), event_(event), selected_(::WSAEventSelect(socket, event, events) == 0) {}
  ~EventSelection() {
    if (selected_) ::WSAEventSelect(socket_, event_, 0);
  }
  EventSelection(const EventSelection&) = delete;
  EventSelection& operator=(const EventSelection&) = delete;

  bool Selected() const { return selected_; }

 private:
  SOCKET socket_;
  WSAEVENT event_;
  bool selected_;
};

class Win32StreamSocket : public StreamSocket {
 public:
  Win32StreamSocket(SOCKET socket, WSAEVENT event, WaitLimit limit, SocketWaiting& waiting)
      : socket_(socket), event_(event), limit_(limit), waiting_(waiting) {
    waiting_.SocketOpened();
  }
  ~Win32StreamSocket() override {
    ::closesocket(socket_);
    ::WSACloseEvent(event_);
    waiting_.SocketClosed();
  }
  Win32StreamSocket(const Win32StreamSocket&) = delete;
  Win32StreamSocket& operator=(const Win32StreamSocket&) = delete;

  bool Connect(const std::string& addressText, std::uint16_t port) override {
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = ::htons(port);
    if (::inet_pton(AF_INET, addressText.c_str(), &peer.sin_addr) != 1) return false;
    // Selected before the connection starts: the end of a connection
    // attempt is an event, not a state, and is recorded only while selected.
    const EventSelection selection(socket_, event_, kConnectEvents);
    if (!selection.Selected()) return false;
    if (::connect(socket_, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) == 0) {
      return true;
    }
    if (::WSAGetLastError() != WSAEWOULDBLOCK) return false;
    const Clock::time_point deadline = Clock::now() + limit_;
    for (;;) {
      WSANETWORKEVENTS happened{};
      if (WaitForSelectedEvents(happened, deadline) != EventWait::kSignalled) return false;
      if (happened.lNetworkEvents & FD_CONNECT) return happened.iErrorCode[FD_CONNECT_BIT] == 0;
    }
  }

  std::ptrdiff_t Send(const std::uint8_t* data, std::size_t length) override {
    const int chunk = length > INT_MAX ? INT_MAX : static_cast<int>(length);
    const Clock::time_point deadline = Clock::now() + limit_;
    for (;;) {
      const int sent = ::send(socket_, reinterpret_cast<const char*>(data), chunk, 0);
      if (sent != SOCKET_ERROR) return sent;
      if (const std::ptrdiff_t failed = WaitAfterWouldBlock(kSendEvents, deadline)) return failed;
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
      if (const std::ptrdiff_t failed = WaitAfterWouldBlock(kReceiveEvents, deadline)) {
        return failed;
      }
    }
  }

  void SetWaitLimit(WaitLimit limit) override { limit_ = limit; }
  void EndWaitsOn(const StopSignal& stop) override { stop_ = &stop; }

 private:
  // After a call failed: 0 when it would have blocked and the socket has
  // signalled one of `events` since (try again), else what the call
  // returns: -1 for any other error, kTimedOut at the deadline.
  std::ptrdiff_t WaitAfterWouldBlock(long events, Clock::time_point deadline) {
    if (::WSAGetLastError() != WSAEWOULDBLOCK) return -1;
    WSANETWORKEVENTS happened{};
    // A signalled event may still find the call blocking; the caller then
    // simply asks again and comes back here.
    switch (WaitForEvents(events, happened, deadline)) {
      case EventWait::kSignalled:
        return 0;
      case EventWait::kTimedOut:
        return kTimedOut;
      case EventWait::kFailed:
        break;
    }
    return -1;
  }

  // Sleeps until the socket reports one of `events` or the deadline passes
  // and collects (and clears) what it reported.
  EventWait WaitForEvents(long events, WSANETWORKEVENTS& happened, Clock::time_point deadline) {
    const EventSelection selection(socket_, event_, events);
    if (!selection.Selected()) return EventWait::kFailed;
    return WaitForSelectedEvents(happened, deadline);
  }

  // Sleeps until the socket reports one of the events selected now or the
  // deadline passes, as the socket's waiting does, and collects (and
  // clears) what it reported. With a stop signal it sleeps in slices and
  // ends (kFailed) once the signal is raised.
  EventWait WaitForSelectedEvents(WSANETWORKEVENTS& happened, Clock::time_point deadline) {
    for (;;) {
      if (stop_ && stop_->Triggered()) return EventWait::kFailed;
      const Clock::time_point sliceEnd =
          stop_ ? std::min(deadline, Clock::now() + kStopCheckInterval) : deadline;
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(sliceEnd - Clock::now());
      const EventWait waited = waiting_.WaitForEvent(event_, left);
      if (waited == EventWait::kSignalled) break;
      if (waited == EventWait::kFailed) return EventWait::kFailed;
      if (Clock::now() >= deadline) return EventWait::kTimedOut;
    }
    if (::WSAEnumNetworkEvents(socket_, event_, &happened) != 0) return EventWait::kFailed;
    if ((happened.lNetworkEvents & FD_CLOSE) && happened.iErrorCode[FD_CLOSE_BIT] != 0) {
      closeFailed_ = true;
    }
    return EventWait::kSignalled;
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
  // Told when the socket, and with it the exchange that owns it, begins and ends.
  SocketWaiting& waiting_;
  const StopSignal* stop_ = nullptr;
  bool closeFailed_ = false;
};

}  // namespace

std::unique_ptr<StreamSocket> Win32Network::CreateStreamSocket(WaitLimit limit) {
  const SOCKET socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (socket == INVALID_SOCKET) return nullptr;
  const WSAEVENT event = ::WSACreateEvent();
  // Every wait happens in the socket's waiting, bounded by the limit; a
  // blocking call would wait without end.
  u_long nonBlocking = 1;
  if (event == WSA_INVALID_EVENT || ::ioctlsocket(socket, FIONBIO, &nonBlocking) != 0) {
    if (event != WSA_INVALID_EVENT) ::WSACloseEvent(event);
    ::closesocket(socket);
    return nullptr;
  }
  // A panel that vanishes without a word (a pulled cable) is noticed on an
  // idle connection too.
  const BOOL on = TRUE;
  ::setsockopt(socket, SOL_SOCKET, SO_KEEPALIVE, reinterpret_cast<const char*>(&on), sizeof on);
  return std::make_unique<Win32StreamSocket>(socket, event, limit, waiting_);
}

}  // namespace platform::win32

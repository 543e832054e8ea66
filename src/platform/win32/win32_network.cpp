#include "platform/win32/win32_network.h"

// clang-format off
#include <winsock2.h>
#include <ws2tcpip.h>
// clang-format on

#include <climits>

#include "platform/win32/paint_only_wait.h"

namespace platform {

namespace {

constexpr long kSocketEvents = FD_CONNECT | FD_READ | FD_WRITE | FD_CLOSE;

class Win32StreamSocket : public StreamSocket {
 public:
  Win32StreamSocket(SOCKET socket, WSAEVENT event) : socket_(socket), event_(event) {}
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
    for (;;) {
      WSANETWORKEVENTS happened{};
      if (!WaitForEvents(happened)) return false;
      if (happened.lNetworkEvents & FD_CONNECT) return happened.iErrorCode[FD_CONNECT_BIT] == 0;
    }
  }

  std::ptrdiff_t Send(const std::uint8_t* data, std::size_t length) override {
    const int chunk = length > INT_MAX ? INT_MAX : static_cast<int>(length);
    for (;;) {
      const int sent = ::send(socket_, reinterpret_cast<const char*>(data), chunk, 0);
      if (sent != SOCKET_ERROR) return sent;
      if (!WaitAfterWouldBlock()) return -1;
    }
  }

  std::ptrdiff_t Receive(std::uint8_t* buffer, std::size_t capacity) override {
    const int chunk = capacity > INT_MAX ? INT_MAX : static_cast<int>(capacity);
    for (;;) {
      const int got = ::recv(socket_, reinterpret_cast<char*>(buffer), chunk, 0);
      if (got != SOCKET_ERROR) return got;
      if (!WaitAfterWouldBlock()) return -1;
    }
  }

 private:
  // After a call failed: waits for the socket when it would have blocked
  // (true: try again), false for any other error.
  bool WaitAfterWouldBlock() {
    if (::WSAGetLastError() != WSAEWOULDBLOCK) return false;
    WSANETWORKEVENTS happened{};
    // A signalled event may still find the call blocking; the caller then
    // simply asks again and comes back here.
    return WaitForEvents(happened);
  }

  // Sleeps until the socket reports something, repainting the windows
  // meanwhile, and collects (and clears) what it reported.
  bool WaitForEvents(WSANETWORKEVENTS& happened) {
    if (!win32::WaitRepaintingWindows(event_)) return false;
    return ::WSAEnumNetworkEvents(socket_, event_, &happened) == 0;
  }

  SOCKET socket_;
  WSAEVENT event_;
};

}  // namespace

std::unique_ptr<StreamSocket> Win32Network::CreateStreamSocket() {
  const SOCKET socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (socket == INVALID_SOCKET) return nullptr;
  const WSAEVENT event = ::WSACreateEvent();
  // Selecting the events also makes the socket non-blocking.
  if (event == WSA_INVALID_EVENT || ::WSAEventSelect(socket, event, kSocketEvents) != 0) {
    if (event != WSA_INVALID_EVENT) ::WSACloseEvent(event);
    ::closesocket(socket);
    return nullptr;
  }
  return std::make_unique<Win32StreamSocket>(socket, event);
}

}  // namespace platform

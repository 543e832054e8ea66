#include "support/loopback_peer.h"

#include <stdexcept>
#include <utility>

namespace wine_test {

namespace {

SOCKET ListenOnLoopback(std::uint16_t& port) {
  const SOCKET listener = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (listener == INVALID_SOCKET) throw std::runtime_error("socket failed");
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);
  local.sin_port = 0;
  int length = sizeof local;
  if (::bind(listener, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
      ::listen(listener, 1) != 0 ||
      ::getsockname(listener, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
    ::closesocket(listener);
    throw std::runtime_error("cannot listen on 127.0.0.1");
  }
  port = ::ntohs(local.sin_port);
  return listener;
}

}  // namespace

LoopbackPeer::LoopbackPeer(Script script) {
  listener_ = ListenOnLoopback(port_);
  thread_ = std::thread([this, script = std::move(script)] {
    const SOCKET accepted = ::accept(listener_, nullptr, nullptr);
    if (accepted == INVALID_SOCKET) return;
    script(accepted);
    ::closesocket(accepted);
  });
}

LoopbackPeer::~LoopbackPeer() {
  // Closing the listener releases an accept that never got a connection.
  ::closesocket(listener_);
  if (thread_.joinable()) thread_.join();
}

bool LoopbackPeer::SendText(SOCKET socket, const std::string& text) {
  std::size_t sent = 0;
  while (sent < text.size()) {
    const int n = ::send(socket, text.data() + sent, static_cast<int>(text.size() - sent), 0);
    if (n <= 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

std::string LoopbackPeer::ReceiveAll(SOCKET socket) {
  std::string received;
  char buffer[65536];
  for (;;) {
    const int n = ::recv(socket, buffer, sizeof buffer, 0);
    if (n <= 0) return received;
    received.append(buffer, static_cast<std::size_t>(n));
  }
}

std::uint16_t UnusedLoopbackPort() {
  std::uint16_t port = 0;
  const SOCKET listener = ListenOnLoopback(port);
  ::closesocket(listener);
  return port;
}

}  // namespace wine_test

// Winsock TCP stream sockets that behave as blocking calls for the panel
// link: each socket signals an event (WSAEventSelect), and every wait for it
// goes through the SocketWaiting its maker gives, which decides what else
// happens meanwhile. The serving side (win32_served_socket.cpp) waits on its
// own threads instead. Needs StartSocketLayer first.
#pragma once

#include "platform/network.h"
#include "platform/win32/socket_waiting.h"

namespace platform::win32 {

class Win32Network : public Network {
 public:
  // Sockets that wait plainly, on any thread.
  Win32Network() : waiting_(plainWaiting_) {}
  // Sockets that wait with `waiting`, which outlives the network and its
  // sockets.
  explicit Win32Network(SocketWaiting& waiting) : waiting_(waiting) {}
  Win32Network(const Win32Network&) = delete;
  Win32Network& operator=(const Win32Network&) = delete;

  std::unique_ptr<StreamSocket> CreateStreamSocket(WaitLimit limit) override;
  std::unique_ptr<ListeningSocket> Listen(const std::string& addressText, std::uint16_t port,
                                          std::string& error) override;

 private:
  PlainSocketWaiting plainWaiting_;
  SocketWaiting& waiting_;
};

}  // namespace platform::win32

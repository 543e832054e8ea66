// Winsock TCP stream sockets that behave as blocking calls for the panel link
// while the user-interface thread keeps repainting its windows: each socket
// signals an event (WSAEventSelect), and every wait goes through
// WaitRepaintingWindows. The serving side (win32_served_socket.cpp) waits
// on its own threads instead. Needs StartSocketLayer first.
#pragma once

#include "platform/network.h"

namespace platform {

class Win32Network : public Network {
 public:
  std::unique_ptr<StreamSocket> CreateStreamSocket(WaitLimit limit) override;
  std::unique_ptr<ListeningSocket> Listen(const std::string& addressText, std::uint16_t port,
                                          std::string& error) override;
};

}  // namespace platform

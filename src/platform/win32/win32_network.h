// Winsock TCP stream sockets that behave as blocking calls for the panel link
// while the user-interface thread keeps repainting its windows: each socket
// signals an event (WSAEventSelect), and every wait goes through
// WaitRepaintingWindows. Needs StartSocketLayer first.
#pragma once

#include "platform/network.h"

namespace platform {

class Win32Network : public Network {
 public:
  std::unique_ptr<StreamSocket> CreateStreamSocket(WaitLimit limit) override;
};

}  // namespace platform

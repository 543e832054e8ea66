// BSD sockets for native builds, tests and benchmarks: non-blocking sockets
// whose calls wait in poll() for at most the socket's wait limit, and the
// serving side whose waits poll in slices until the stop signal.
#pragma once

#include "platform/network.h"

namespace platform {

class PosixNetwork : public Network {
 public:
  std::unique_ptr<StreamSocket> CreateStreamSocket(WaitLimit limit) override;
  std::unique_ptr<ListeningSocket> Listen(const std::string& addressText, std::uint16_t port,
                                          std::string& error) override;
};

// Serves a connected stream socket made elsewhere (a socketpair end, say),
// taking it over.
std::unique_ptr<ServedSocket> AdoptServedSocket(int fd);

}  // namespace platform

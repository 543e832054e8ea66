// BSD sockets for native builds, tests and benchmarks: non-blocking sockets
// whose calls wait in poll() for at most the socket's wait limit.
#pragma once

#include "platform/network.h"

namespace platform {

class PosixNetwork : public Network {
 public:
  std::unique_ptr<StreamSocket> CreateStreamSocket(WaitLimit limit) override;
};

}  // namespace platform

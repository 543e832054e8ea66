// Blocking BSD sockets for native builds, tests and benchmarks.
#pragma once

#include "platform/network.h"

namespace platform {

class PosixNetwork : public Network {
 public:
  std::unique_ptr<StreamSocket> CreateStreamSocket() override;
};

}  // namespace platform

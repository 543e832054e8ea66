// A network whose stream sockets end every wait once a stop signal is
// raised, so that the panels in flight end within a moment of Ctrl-C.
#pragma once

#include "platform/network.h"
#include "platform/stop_signal.h"

namespace platform {

class StoppingNetwork : public Network {
 public:
  // Both must outlive this network.
  StoppingNetwork(Network& network, const StopSignal& stop) : network_(network), stop_(stop) {}

  std::unique_ptr<StreamSocket> CreateStreamSocket(WaitLimit limit) override;
  std::unique_ptr<ListeningSocket> Listen(const std::string& addressText, std::uint16_t port,
                                          std::string& error) override;

 private:
  Network& network_;
  const StopSignal& stop_;
};

}  // namespace platform

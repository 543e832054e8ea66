// A network whose stream sockets end every wait once a stop signal is
// raised, so that the panels in flight end within a moment of Ctrl-C.
#pragma once

#include "platform/network.h"
#include "platform/stop_signal.h"

namespace cli {

class StoppingNetwork : public platform::Network {
 public:
  // Both must outlive this network.
  StoppingNetwork(platform::Network& network, const platform::StopSignal& stop)
      : network_(network), stop_(stop) {}

  std::unique_ptr<platform::StreamSocket> CreateStreamSocket(platform::WaitLimit limit) override;
  std::unique_ptr<platform::ListeningSocket> Listen(const std::string& addressText,
                                                    std::uint16_t port,
                                                    std::string& error) override;

 private:
  platform::Network& network_;
  const platform::StopSignal& stop_;
};

}  // namespace cli

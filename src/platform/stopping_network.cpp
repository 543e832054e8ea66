#include "platform/stopping_network.h"

namespace platform {

std::unique_ptr<StreamSocket> StoppingNetwork::CreateStreamSocket(WaitLimit limit) {
  std::unique_ptr<StreamSocket> socket = network_.CreateStreamSocket(limit);
  if (socket) socket->EndWaitsOn(stop_);
  return socket;
}

std::unique_ptr<ListeningSocket> StoppingNetwork::Listen(const std::string& addressText,
                                                         std::uint16_t port, std::string& error) {
  return network_.Listen(addressText, port, error);
}

}  // namespace platform

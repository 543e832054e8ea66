#include "io/stopping_network.h"

namespace cli {

std::unique_ptr<platform::StreamSocket> StoppingNetwork::CreateStreamSocket(
    platform::WaitLimit limit) {
  std::unique_ptr<platform::StreamSocket> socket = network_.CreateStreamSocket(limit);
  if (socket) socket->EndWaitsOn(stop_);
  return socket;
}

std::unique_ptr<platform::ListeningSocket> StoppingNetwork::Listen(const std::string& addressText,
                                                                   std::uint16_t port,
                                                                   std::string& error) {
  return network_.Listen(addressText, port, error);
}

}  // namespace cli

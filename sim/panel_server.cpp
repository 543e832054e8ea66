#include "sim/panel_server.h"

#include "sim/command_dispatch.h"
#include "sim/panel_connection.h"

namespace sim {

PanelServer::PanelServer(platform::Network& network, SimulatedPanel& panel, std::uint16_t port,
                         const platform::StopSignal& stop)
    : network_(network), panel_(panel), port_(port), stop_(stop) {}

bool PanelServer::Listen(std::string& error) {
  listening_ = network_.Listen(protocol::AddressText(panel_.Address()), port_, error);
  return listening_ != nullptr;
}

void PanelServer::Run() {
  while (std::unique_ptr<platform::ServedSocket> socket = listening_->Accept(stop_)) {
    PanelConnection connection(std::move(socket), panel_, stop_);
    ServeConnection(connection, panel_);
  }
}

}  // namespace sim

// Listens on one panel's address and serves the tool's connections one at
// a time, as a panel does, until the simulator stops.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/network.h"
#include "platform/stop_signal.h"
#include "sim/simulated_panel.h"

namespace sim {

class PanelServer {
 public:
  PanelServer(platform::Network& network, SimulatedPanel& panel, std::uint16_t port,
              const platform::StopSignal& stop);

  // Binds the panel's address and port; false with a reason when it cannot.
  bool Listen(std::string& error);
  // Accepts and serves connections until the stop signal fires.
  void Run();

 private:
  platform::Network& network_;
  SimulatedPanel& panel_;
  const std::uint16_t port_;
  const platform::StopSignal& stop_;
  std::unique_ptr<platform::ListeningSocket> listening_;
};

}  // namespace sim

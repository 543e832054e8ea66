// Listens on one panel's address and serves the tool's connections one at
// a time, as a panel does, until the simulator stops.
#pragma once

#include <cstdint>
#include <string>

#include "sim/simulated_panel.h"
#include "sim/stop_signal.h"

namespace sim {

class PanelServer {
 public:
  PanelServer(SimulatedPanel& panel, std::uint16_t port, const StopSignal& stop);
  ~PanelServer();
  PanelServer(const PanelServer&) = delete;
  PanelServer& operator=(const PanelServer&) = delete;

  // Binds the panel's address and port; false with a reason when it cannot.
  bool Listen(std::string& error);
  // Accepts and serves connections until the stop signal fires.
  void Run();

 private:
  SimulatedPanel& panel_;
  const std::uint16_t port_;
  const StopSignal& stop_;
  int listenFd_ = -1;
};

}  // namespace sim

// The panel simulator: one simulated panel per address, each listening on
// TCP 35600 on its address and served by a thread of its own. Tests run it
// in-process; the panel-sim program runs it beside the tool.
//
//   sim::PanelSimulator simulator(network);    // the five built-in panels
//   if (!simulator.Start(&error)) ...
//   simulator.Panel(0xC0A80009).SetFault("VK38 LOG REQ", {.closeAtOnce = true});
//   ... the tool talks to 192.168.0.9 ...
//   simulator.Panel(0xC0A80009).Received();
//
// Stopping or destroying it ends every connection and joins its threads.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/network.h"
#include "platform/stop_signal.h"
#include "protocol/panel_address.h"
#include "sim/simulated_panel.h"

namespace sim {

inline constexpr std::uint16_t kSimulatedPanelPort = 35600;

// The panel addresses the tool has built in: 192.168.0.9, .7, .6, .5, .4.
std::vector<protocol::PanelAddress> BuiltInPanelAddresses();

class PanelSimulator {
 public:
  // The panels listen through `network`, which must outlive the simulator.
  explicit PanelSimulator(platform::Network& network,
                          std::vector<protocol::PanelAddress> addresses = BuiltInPanelAddresses(),
                          std::uint16_t port = kSimulatedPanelPort);
  ~PanelSimulator();
  PanelSimulator(const PanelSimulator&) = delete;
  PanelSimulator& operator=(const PanelSimulator&) = delete;

  // Listens on every address; on failure nothing listens and `error` (when
  // given) tells why.
  bool Start(std::string* error = nullptr);
  void Stop();

  const std::vector<protocol::PanelAddress>& Addresses() const { return addresses_; }
  // The panel at `address`, which must be one of Addresses().
  SimulatedPanel& Panel(protocol::PanelAddress address);
  // The panel at `address`, or nothing when the simulator has none there.
  SimulatedPanel* FindPanel(protocol::PanelAddress address);
  // Every panel back to its factory state.
  void Reset();

 private:
  platform::Network& network_;
  std::vector<protocol::PanelAddress> addresses_;
  std::uint16_t port_;
  std::vector<std::unique_ptr<SimulatedPanel>> panels_;
  std::unique_ptr<platform::StopSignal> stop_;
  std::vector<std::thread> threads_;
};

}  // namespace sim

#include "sim/panel_simulator.h"

#include <cstdio>
#include <cstdlib>

#include "protocol/panel_address.h"
#include "sim/panel_server.h"

namespace sim {

std::vector<protocol::PanelAddress> BuiltInPanelAddresses() {
  return {protocol::kBuiltInPanels.begin(), protocol::kBuiltInPanels.end()};
}

PanelSimulator::PanelSimulator(platform::Network& network,
                               std::vector<protocol::PanelAddress> addresses, std::uint16_t port)
    : network_(network), addresses_(std::move(addresses)), port_(port) {
  for (protocol::PanelAddress address : addresses_) {
    panels_.push_back(std::make_unique<SimulatedPanel>(address));
  }
}

PanelSimulator::~PanelSimulator() { Stop(); }

bool PanelSimulator::Start(std::string* error) {
  Stop();
  stop_ = std::make_unique<platform::StopSignal>();
  std::vector<std::unique_ptr<PanelServer>> servers;
  for (auto& panel : panels_) {
    auto server = std::make_unique<PanelServer>(network_, *panel, port_, *stop_);
    std::string reason;
    if (!server->Listen(reason)) {
      if (error) *error = reason;
      return false;
    }
    servers.push_back(std::move(server));
  }
  for (auto& server : servers) {
    threads_.emplace_back([owned = std::move(server)] { owned->Run(); });
  }
  return true;
}

void PanelSimulator::Stop() {
  if (stop_) stop_->Trigger();
  for (std::thread& thread : threads_) thread.join();
  threads_.clear();
}

SimulatedPanel& PanelSimulator::Panel(protocol::PanelAddress address) {
  SimulatedPanel* panel = FindPanel(address);
  if (!panel) {
    std::fprintf(stderr, "panel simulator: no panel at %s\n",
                 protocol::AddressText(address).c_str());
    std::abort();
  }
  return *panel;
}

SimulatedPanel* PanelSimulator::FindPanel(protocol::PanelAddress address) {
  for (auto& panel : panels_) {
    if (panel->Address() == address) return panel.get();
  }
  return nullptr;
}

void PanelSimulator::Reset() {
  for (auto& panel : panels_) panel->Reset();
}

}  // namespace sim

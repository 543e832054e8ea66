// A running simulator of the five built-in panels with short pauses, for
// tests that talk to it over the loopback addresses of the private network.
#pragma once

#include <gtest/gtest.h>

#include <chrono>

#include "platform/system.h"
#include "sim/panel_simulator.h"

inline constexpr protocol::PanelAddress kVk1 = 0xC0A80009;  // 192.168.0.9
inline constexpr protocol::PanelAddress kVk2 = 0xC0A80007;  // 192.168.0.7

class SimulatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (protocol::PanelAddress address : simulator.Addresses()) {
      sim::PanelTiming timing;
      timing.idleGap = std::chrono::milliseconds(150);
      timing.lineGap = std::chrono::milliseconds(50);
      timing.peerWait = std::chrono::milliseconds(5000);
      simulator.Panel(address).SetTiming(timing);
    }
    std::string error;
    ASSERT_TRUE(simulator.Start(&error)) << error;
  }

  sim::SimulatedPanel& Vk1() { return simulator.Panel(kVk1); }

  // Waits until the panel has finished `count` connections in all.
  void WaitForConnections(sim::SimulatedPanel& panel, std::size_t count) {
    ASSERT_TRUE(panel.WaitForConnections(count, std::chrono::seconds(10)));
  }

  platform::SystemNetwork network;
  sim::PanelSimulator simulator{network};
};

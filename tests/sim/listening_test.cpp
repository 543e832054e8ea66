// The serving side of the platform's sockets, as the simulator uses it on
// both systems: an address is held by one listener at a time and free again
// at once after it, and the stop signal ends every wait promptly.
#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include "platform/stop_signal.h"
#include "platform/system.h"
#include "raw_client.h"
#include "sim/panel_simulator.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr protocol::PanelAddress kPanel = 0xC0A80008;  // a spare address of the private network
// Far above a stop check, far below any wait the calls would do otherwise.
constexpr auto kPromptly = 1s;

TEST(Listening, AnAddressHeldByASimulatorIsRefusedToASecondOne) {
  platform::SystemNetwork network;
  sim::PanelSimulator first(network, {kPanel});
  sim::PanelSimulator second(network, {kPanel});
  std::string error;
  ASSERT_TRUE(first.Start(&error)) << error;
  EXPECT_FALSE(second.Start(&error));
  EXPECT_NE(error.find("192.168.0.8:35600"), std::string::npos) << error;

  RawClient client(kPanel);
  EXPECT_TRUE(client.Connected()) << "the first one still serves";
}

TEST(Listening, TheAddressIsFreeAgainRightAfterAServedConnection) {
  platform::SystemNetwork network;
  for (int round = 0; round < 2; ++round) {
    sim::PanelSimulator simulator(network, {kPanel});
    std::string error;
    ASSERT_TRUE(simulator.Start(&error)) << "round " << round << ": " << error;
    // The panel closes first, so the connection lingers on its side.
    RawClient client(kPanel);
    ASSERT_TRUE(client.Send("VK38 SETTING REQ\r\n"));
    EXPECT_FALSE(client.ReceiveAll().empty());
    client.Close();
    EXPECT_TRUE(simulator.Panel(kPanel).WaitForConnections(1, 5s));
  }
}

TEST(Listening, TextThatIsNoAddressIsRefusedWithTheReason) {
  platform::SystemNetwork network;
  std::string error;
  EXPECT_EQ(network.Listen("192.168.0", 35600, error), nullptr);
  EXPECT_EQ(error, "listen on 192.168.0:35600: not an address");
}

TEST(Listening, TheStopEndsAnAcceptAndAServedWaitPromptly) {
  platform::SystemNetwork network;
  std::string error;
  const auto listening = network.Listen("127.0.0.1", 35696, error);
  ASSERT_NE(listening, nullptr) << error;
  platform::StopSignal stop;
  RawClient client(0x7F000001, 35696);
  const auto served = listening->Accept(stop);
  ASSERT_NE(served, nullptr);

  auto waiting = std::async(std::launch::async,
                            [&] { return served->WaitToReceive(stop, platform::kUntilStopped); });
  auto accepting = std::async(std::launch::async, [&] { return listening->Accept(stop); });
  EXPECT_EQ(waiting.wait_for(200ms), std::future_status::timeout) << "nothing ends it early";
  EXPECT_EQ(accepting.wait_for(0ms), std::future_status::timeout) << "nobody connected";
  const Clock::time_point raised = Clock::now();
  stop.Trigger();
  ASSERT_EQ(waiting.wait_for(kPromptly), std::future_status::ready);
  ASSERT_EQ(accepting.wait_for(kPromptly), std::future_status::ready);
  EXPECT_LT(Clock::now() - raised, kPromptly);
  EXPECT_EQ(waiting.get(), platform::Readiness::kStopped);
  EXPECT_EQ(accepting.get(), nullptr);
  EXPECT_EQ(listening->Accept(stop), nullptr) << "nor does one after the stop wait";
  EXPECT_FALSE(stop.SleepFor(1h)) << "a raised signal ends a sleep at once";
}

}  // namespace

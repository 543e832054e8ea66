// The control channel: its commands against an in-process simulator.
#include <chrono>
#include <thread>

#include "platform/stop_signal.h"
#include "raw_client.h"
#include "sim/control_interpreter.h"
#include "sim/control_server.h"
#include "sim_fixture.h"

namespace {

using namespace std::chrono_literals;
using Lines = std::vector<std::string>;

class ControlChannel : public SimulatorTest {
 protected:
  Lines Run(std::string_view line) { return interpreter.Execute(line); }

  sim::ControlInterpreter interpreter{simulator};
};

TEST_F(ControlChannel, FaultsAddUpPerCommandUntilNone) {
  EXPECT_EQ(Run("fault 192.168.0.9 pieces 5,10,7 VK38 IP SETTING REQ"), Lines{"OK"});
  EXPECT_EQ(Run("fault 192.168.0.9 delay 250 VK38 IP SETTING REQ"), Lines{"OK"});
  EXPECT_EQ(Run("fault 192.168.0.9 reply 4E470D0A00 VK38 IP SETTING REQ"), Lines{"OK"});
  sim::Fault fault = Vk1().FaultFor("VK38 IP SETTING REQ\r\n");
  EXPECT_EQ(fault.pieces, (std::vector<std::size_t>{5, 10, 7}));
  EXPECT_EQ(fault.delay, 250ms);
  EXPECT_EQ(fault.firstReply, (sim::Bytes{'N', 'G', '\r', '\n', 0}));
  EXPECT_FALSE(Vk1().FaultFor("VK38 IP SETTING CHANGE").delay.count());

  EXPECT_EQ(Run("fault 192.168.0.9 reset-after 9 FPGA VER UP START"), Lines{"OK"});
  EXPECT_EQ(Vk1().FaultFor("FPGA VER UP START").resetAfter, 9u);
  EXPECT_EQ(Run("fault 192.168.0.9 keep-old VK38 SETTING CHANGE"), Lines{"OK"});
  EXPECT_TRUE(Vk1().FaultFor("VK38 SETTING CHANGE").keepOld);
  EXPECT_EQ(Run("fault 192.168.0.9 none VK38 IP SETTING REQ"), Lines{"OK"});
  EXPECT_TRUE(Vk1().FaultFor("VK38 IP SETTING REQ").pieces.empty());
}

TEST_F(ControlChannel, RefusesWhatItDoesNotUnderstand) {
  const std::pair<const char*, const char*> cases[] = {
      {"fault 192.168.0.8 close VK38 LOG REQ", "ERR no panel at 192.168.0.8"},
      {"fault 192.168.0.9 melt VK38 LOG REQ", "ERR unknown fault melt"},
      {"fault 192.168.0.9 close", "ERR command line missing"},
      {"fault 192.168.0.9 pieces 5,,7 VK38 LOG REQ", "ERR bad argument for pieces"},
      {"fault 192.168.0.9 reply 4E4 VK38 LOG REQ", "ERR bad argument for reply"},
      {"explode", "ERR unknown command explode"},
      {"", "ERR empty command"},
  };
  for (const auto& [line, answer] : cases) EXPECT_EQ(Run(line), Lines{answer}) << line;
  EXPECT_EQ(Run("put 192.168.0.9 setup 0G")[0].substr(0, 4), "ERR ");
  EXPECT_EQ(Run("get 192.168.0.9 everything")[0].substr(0, 4), "ERR ");
  EXPECT_EQ(Run("log 192.168.0.9 100")[0].substr(0, 4), "ERR ");
}

TEST_F(ControlChannel, PutGetAndSettingsReachThePanel) {
  EXPECT_EQ(Run("put 192.168.0.9 setup 0102fF"), Lines{"OK"});
  EXPECT_EQ(Run("get 192.168.0.9 setup"), (Lines{"0102FF", "OK"}));
  EXPECT_EQ(Run("get 192.168.0.9 program-image"), (Lines{"", "OK"}));
  EXPECT_EQ(Run("get 192.168.0.9 log")[0].substr(0, 4), "ERR ") << "a generated log";
  EXPECT_EQ(Run("put 192.168.0.9 log 414243"), Lines{"OK"});
  EXPECT_EQ(Run("get 192.168.0.9 log"), (Lines{"414243", "OK"}));
  EXPECT_EQ(Run("log 192.168.0.9 1000000 4096"), Lines{"OK"});
  EXPECT_EQ(Vk1().Log().size, 1000000u);
  EXPECT_EQ(Run("image-size 192.168.0.9 4097"), Lines{"OK"});
  EXPECT_EQ(Vk1().ImageSize(), 4097u);
  EXPECT_EQ(Run("timing 192.168.0.9 idle-gap 42"), Lines{"OK"});
  EXPECT_EQ(Vk1().Timing().idleGap, 42ms);
  EXPECT_EQ(Run("panels").front(), "panel 192.168.0.9");

  EXPECT_EQ(Run("reset"), Lines{"OK"});
  EXPECT_EQ(Vk1().Log().size, sim::LogShape{}.size);
  EXPECT_EQ(Vk1().SetupBlock().size(), 1507u);
}

TEST_F(ControlChannel, ReceivedListsConnectionsInHexAndWaitTellsTheirEnd) {
  EXPECT_EQ(Run("wait 192.168.0.9 1 50")[0].substr(0, 11), "ERR timeout");
  RawClient client(kVk1);
  client.Send("VK38 LOG REQ\r\n");
  client.ReceiveAll();
  client.Close();
  EXPECT_EQ(Run("wait 192.168.0.9 1"), Lines{"OK"});
  EXPECT_EQ(Run("received 192.168.0.9"), (Lines{"conn 0 564B3338204C4F47205245510D0A", "OK"}));
  EXPECT_EQ(Run("received 192.168.0.7"), Lines{"OK"});
}

TEST_F(ControlChannel, AnswersEachLineOverItsSocketUntilStopped) {
  constexpr std::uint16_t kPort = 35697;
  platform::StopSignal stop;
  sim::ControlServer server(network, interpreter, stop);
  std::string error;
  ASSERT_TRUE(server.Listen(kPort, error)) << error;
  std::thread serving([&server] { server.Run(); });

  RawClient idle(0x7F000001, kPort);  // connected and silent when the stop comes
  RawClient channel(0x7F000001, kPort);
  // Two lines in one piece, one ending in CR LF; the third comes in two.
  ASSERT_TRUE(channel.Send("panels\r\nexplode\nget 192.168.0.9 pro"));
  ASSERT_TRUE(channel.Send("gram-image\n"));
  std::string expected;
  for (protocol::PanelAddress panel : simulator.Addresses())
    expected += "panel " + protocol::AddressText(panel) + "\n";
  expected += "OK\nERR unknown command explode\n\nOK\n";
  EXPECT_EQ(channel.ReceiveCount(expected.size()), expected);

  stop.Trigger();
  serving.join();  // ends although both clients are still connected
  EXPECT_TRUE(idle.Connected());
  EXPECT_EQ(idle.ReceiveAll(), "") << "closed without a word";
}

}  // namespace

// The ways a simulated panel can be told to misbehave, and that each fault
// stays with its panel and command line.
#include <chrono>
#include <functional>
#include <thread>

#include "protocol/ip_setting_record.h"
#include "protocol/zero_sum.h"
#include "raw_client.h"
#include "sim/credential_block.h"
#include "sim/setup_block.h"
#include "sim_fixture.h"

namespace {

using namespace std::chrono_literals;
using sim::Bytes;
using sim::Fault;

const std::string kLineEnd("\r\n\0", 3);

using PanelFault = SimulatorTest;

TEST_F(PanelFault, PiecesLeaveOneByOne) {
  Vk1().SetFault("VK38 IP SETTING CHANGE\r\n", Fault{.pieces = {5, 10, 7}});
  RawClient client(kVk1);
  client.Send("VK38 IP SETTING CHANGE\r\n");
  EXPECT_EQ(client.ReceiveCount(20), "SETTING CHANGE OK" + kLineEnd);
  EXPECT_EQ(client.receiveSizes, (std::vector<std::size_t>{5, 10, 5}));
}

TEST_F(PanelFault, ResetAfterSomeBytesFailsTheReceive) {
  Vk1().SetFault("VK38 SETTING REQ", Fault{.resetAfter = 100});
  RawClient client(kVk1);
  client.Send("VK38 SETTING REQ\r\n");
  const std::string got = client.ReceiveAll();
  const Bytes block = Vk1().SetupBlock();
  EXPECT_EQ(BytesOf(got), Bytes(block.begin(), block.begin() + 100));
  EXPECT_TRUE(client.failed) << "a reset, not an orderly close";
  EXPECT_FALSE(client.closed);
}

TEST_F(PanelFault, OversizeExtendsTheBlock) {
  Vk1().SetFault("VK38 SETTING REQ", Fault{.oversize = 5000});
  RawClient client(kVk1);
  client.Send("VK38 SETTING REQ\r\n");
  Bytes expected = Vk1().SetupBlock();
  expected.resize(5000, 0);
  EXPECT_EQ(BytesOf(client.ReceiveAll()), expected);
}

TEST_F(PanelFault, BadChecksumChangesOnlyTheChecksumByte) {
  struct Case {
    const char* command;
    Bytes stored;
    std::size_t checksumAt;
  };
  const Case cases[] = {
      {"VK38 IP SETTING REQ", Vk1().CameraRecord(), protocol::IpSettingRecord::kChecksumAt},
      {"VK38 AUTH SETTING REQ", Vk1().Credentials(), sim::kCredentialChecksumAt},
      {"VK38 SETTING REQ", Vk1().SetupBlock(), Vk1().SetupBlock().size() - 1},
  };
  for (const Case& c : cases) {
    Vk1().SetFault(c.command, Fault{.badChecksum = true});
    RawClient client(kVk1);
    client.Send(std::string(c.command) + "\r\n");
    Bytes expected = c.stored;
    ++expected[c.checksumAt];
    const Bytes got = BytesOf(client.ReceiveAll());
    EXPECT_EQ(got, expected) << c.command;
    EXPECT_FALSE(protocol::IsZeroSum(got)) << c.command;
  }
}

TEST_F(PanelFault, DelayHoldsBackTheFirstAnswer) {
  Vk1().SetFault("VK38 AUTH SETTING REQ", Fault{.delay = 400ms});
  RawClient client(kVk1);
  const auto start = std::chrono::steady_clock::now();
  client.Send("VK38 AUTH SETTING REQ\r\n");
  EXPECT_EQ(client.ReceiveCount(1).size(), 1u);
  EXPECT_GE(std::chrono::steady_clock::now() - start, 400ms);
}

TEST_F(PanelFault, CloseAtOnceAnswersNothing) {
  Vk1().SetFault("VK38 IP SETTING CHANGE", Fault{.closeAtOnce = true});
  RawClient client(kVk1);
  client.Send("VK38 IP SETTING CHANGE\r\n");
  EXPECT_EQ(client.ReceiveAll(), "");
  EXPECT_TRUE(client.closed);
}

TEST_F(PanelFault, WrongOrExactFirstAnswerEndsTheExchange) {
  const Bytes before = Vk1().SetupBlock();
  Vk1().SetFault("VK38 SETTING CHANGE", Fault{.wrongReply = true});
  RawClient wrong(kVk1);
  wrong.Send("VK38 SETTING CHANGE\r\n");
  EXPECT_EQ(wrong.ReceiveLine(), "SETTING CHANGE NG" + kLineEnd);
  wrong.Send(Bytes{0x10, 0xF0});
  wrong.Close();

  const std::string exact("SETTING CHANGE OK\rAB");
  Vk1().SetFault("VK38 SETTING CHANGE", Fault{.firstReply = BytesOf(exact)});
  RawClient replaced(kVk1);
  replaced.Send("VK38 SETTING CHANGE\r\n");
  replaced.Send(Bytes{0x10, 0xF0});
  EXPECT_EQ(replaced.ReceiveCount(exact.size() + 1), exact) << "then nothing but the close";
  replaced.Close();

  WaitForConnections(Vk1(), 2);
  EXPECT_EQ(Vk1().SetupBlock(), before);
  EXPECT_EQ(TextOf(Vk1().Received()[0]), std::string("VK38 SETTING CHANGE\r\n\x10\xF0"));
}

TEST_F(PanelFault, UploadCanFailAtTheFileOrAtTheWrite) {
  Vk1().SetImageSize(3);
  for (const auto& [fault, answer] :
       {std::pair{Fault{.fileNg = true}, "FILE NG" + kLineEnd},
        std::pair{Fault{.writeNg = true},
                  "FILE OK" + kLineEnd + "ERASE OK" + kLineEnd + "WRITE NG" + kLineEnd}}) {
    Vk1().SetFault("VK38 VER UP START", fault);
    RawClient client(kVk1);
    client.Send("VK38 VER UP START\r\n");
    client.ReceiveLine();
    client.Send("abc");
    EXPECT_EQ(client.ReceiveAll(), answer);
  }
  EXPECT_TRUE(Vk1().ProgramImage().empty()) << "a failed upload is not kept";
}

TEST_F(PanelFault, KeepOldConfirmsEveryWriteAndKeepsWhatThePanelHeld) {
  protocol::IpSettingRecord table;
  table.SetCamName(0, "NEW");
  protocol::ComputeChecksum(table);
  const std::vector<std::uint8_t> settings(40, 0x5A);
  const struct {
    const char* command;
    Bytes sent;
    std::function<Bytes()> stored;
  } cases[] = {
      {"VK38 IP SETTING CHANGE", Bytes(table.bytes.begin(), table.bytes.end()),
       [this] { return Vk1().CameraRecord(); }},
      {"VK38 SETTING CHANGE", sim::BuildSetupBlock(settings),
       [this] { return Vk1().SetupBlock(); }},
      {"VK38 AUTH SETTING CHANGE", sim::BuildCredentialRecord("new", "pass"),
       [this] { return Vk1().Credentials(); }},
  };
  for (const auto& c : cases) {
    const Bytes before = c.stored();
    ASSERT_NE(before, c.sent) << c.command;
    Vk1().SetFault(c.command, Fault{.keepOld = true});
    RawClient client(kVk1);
    client.Send(std::string(c.command) + "\r\n");
    EXPECT_EQ(client.ReceiveLine(), "SETTING CHANGE OK" + kLineEnd) << c.command;
    client.Send(c.sent);
    EXPECT_EQ(client.ReceiveLine(), "WRITE OK" + kLineEnd) << c.command;
    EXPECT_EQ(c.stored(), before) << c.command;
  }
}

TEST_F(PanelFault, FaultBelongsToItsPanelAndCommandLine) {
  const std::size_t setupSize = Vk1().SetupBlock().size();
  Vk1().SetFault("VK38 AUTH SETTING REQ", Fault{.closeAtOnce = true});
  for (const auto& [panel, line, size] :
       {std::tuple{kVk1, "VK38 AUTH SETTING REQ\r\n", std::size_t{0}},
        std::tuple{kVk2, "VK38 AUTH SETTING REQ\r\n", std::size_t{68}},
        std::tuple{kVk1, "VK38 SETTING REQ\r\n", setupSize}}) {
    RawClient client(panel);
    client.Send(line);
    EXPECT_EQ(client.ReceiveAll().size(), size) << protocol::AddressText(panel) << " " << line;
  }
  Vk1().ClearFaults();
  RawClient client(kVk1);
  client.Send("VK38 AUTH SETTING REQ\r\n");
  EXPECT_EQ(client.ReceiveAll().size(), 68u);
}

TEST_F(PanelFault, StopEndsAConnectionThatWaitsForTheTool) {
  RawClient client(kVk1);
  client.Send("VK38 IP SETTING CHANGE\r\n");
  client.ReceiveLine();  // the panel now waits for the record
  const auto start = std::chrono::steady_clock::now();
  simulator.Stop();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
}

}  // namespace

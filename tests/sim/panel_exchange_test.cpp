// The simulated panel's answer to every command line of the protocol.
#include <chrono>

#include "protocol/ip_setting_record.h"
#include "protocol/zero_sum.h"
#include "raw_client.h"
#include "sim/address_assignment.h"
#include "sim/credential_block.h"
#include "sim/log_source.h"
#include "sim/setup_block.h"
#include "sim_fixture.h"

namespace {

using namespace std::chrono_literals;
using sim::Bytes;

const std::string kLineEnd("\r\n\0", 3);

std::string Line(std::string_view text) { return std::string(text) + kLineEnd; }

Bytes TableBytes(const protocol::IpSettingRecord& record) {
  return Bytes(record.bytes.begin(), record.bytes.end());
}

protocol::IpSettingRecord StoredTable(sim::SimulatedPanel& panel) {
  protocol::IpSettingRecord record;
  const Bytes stored = panel.CameraRecord();
  std::copy(stored.begin(), stored.end(), record.bytes.begin());
  return record;
}

using PanelExchange = SimulatorTest;

TEST_F(PanelExchange, CameraTableIsSentWholeAndTheConnectionClosed) {
  RawClient client(kVk1);
  ASSERT_TRUE(client.Connected());
  client.Send("VK38 IP SETTING REQ\r\n");
  const std::string table = client.ReceiveAll();
  EXPECT_TRUE(client.closed);
  EXPECT_EQ(BytesOf(table), Vk1().CameraRecord());
  EXPECT_EQ(table.size(), protocol::IpSettingRecord::kSize);
  EXPECT_TRUE(protocol::IsZeroSum(BytesOf(table)));
}

TEST_F(PanelExchange, CameraTableWriteKeepsARecordThatSumsToZero) {
  protocol::IpSettingRecord table = StoredTable(Vk1());
  protocol::SetIp(table.CamAddr(40), 0xC0A80063);
  protocol::ComputeChecksum(table);

  RawClient client(kVk1);
  client.Send("VK38 IP SETTING CHANGE\r\n");
  EXPECT_EQ(client.ReceiveLine(), Line("SETTING CHANGE OK"));
  client.Send(TableBytes(table));
  EXPECT_EQ(client.ReceiveLine(), Line("WRITE OK"));
  client.Close();
  WaitForConnections(Vk1(), 1);

  EXPECT_EQ(Vk1().CameraRecord(), TableBytes(table));
  Bytes expected = BytesOf("VK38 IP SETTING CHANGE\r\n");
  expected.insert(expected.end(), table.bytes.begin(), table.bytes.end());
  EXPECT_EQ(Vk1().Received(), std::vector<Bytes>{expected});
}

TEST_F(PanelExchange, CameraTableWriteRefusesABadSum) {
  const Bytes before = Vk1().CameraRecord();
  protocol::IpSettingRecord table = StoredTable(Vk1());
  table.CamKind(50) ^= 1;  // the sum is now off

  RawClient client(kVk1);
  client.Send("VK38 IP SETTING CHANGE\r\n");
  client.ReceiveLine();
  client.Send(TableBytes(table));
  EXPECT_EQ(client.ReceiveLine(), Line("WRITE NG"));
  client.Close();
  WaitForConnections(Vk1(), 1);
  EXPECT_EQ(Vk1().CameraRecord(), before);
}

TEST_F(PanelExchange, AssignmentProposesThenAppliesOnSet) {
  const protocol::IpSettingRecord factory = StoredTable(Vk1());
  for (const auto& [start, set, mode] :
       {std::tuple{"VK38 IP SET RENEW START\r\n", "VK38 IP SET RENEW SET\r\n",
                   sim::AssignMode::kRenew},
        std::tuple{"VK38 IP SET KEEP RETRY\r\n", "VK38 IP SET KEEP SET\r\n",
                   sim::AssignMode::kKeep}}) {
    Vk1().SetCameraRecord(factory);
    const protocol::IpSettingRecord expected = sim::ProposeAssignment(factory, kVk1, mode);
    RawClient proposal(kVk1);
    proposal.Send(start);
    EXPECT_EQ(BytesOf(proposal.ReceiveAll()), TableBytes(expected)) << start;
    EXPECT_TRUE(proposal.closed);
    proposal.Close();
    EXPECT_EQ(StoredTable(Vk1()), factory) << "a proposal alone changes nothing";

    RawClient confirm(kVk1);
    confirm.Send(set);
    EXPECT_EQ(confirm.ReceiveAll(), Line("SETTING OK")) << set;
    confirm.Close();
    EXPECT_EQ(StoredTable(Vk1()), sim::SettledTable(expected));
  }
}

TEST_F(PanelExchange, SetupBlockIsSentAsStored) {
  RawClient client(kVk1);
  client.Send("VK38 SETTING REQ\r\n");
  const Bytes block = BytesOf(client.ReceiveAll());
  EXPECT_TRUE(client.closed);
  EXPECT_EQ(block, Vk1().SetupBlock());
  EXPECT_TRUE(protocol::IsZeroSum(block));
  EXPECT_EQ(sim::SetupBlockLength(block), block.size());
}

TEST_F(PanelExchange, LoadedSetupBlockEndsAtTheLengthItsHeaderTells) {
  // With a long idle gap, an answer that comes at once proves the panel
  // judged the end of the block by its header.
  sim::PanelTiming timing = Vk1().Timing();
  timing.idleGap = 3s;
  Vk1().SetTiming(timing);
  const std::vector<std::uint8_t> settings(700, 0x42);
  const Bytes block = sim::BuildSetupBlock(settings);

  RawClient client(kVk1);
  client.Send("VK38 SETTING CHANGE\r\n");
  EXPECT_EQ(client.ReceiveLine(), Line("SETTING CHANGE OK"));
  const auto sent = std::chrono::steady_clock::now();
  client.Send(block);
  EXPECT_EQ(client.ReceiveLine(), Line("WRITE OK"));
  EXPECT_LT(std::chrono::steady_clock::now() - sent, 1s);
  EXPECT_EQ(Vk1().SetupBlock(), block);
}

TEST_F(PanelExchange, LoadedBlockWithoutHeaderEndsWhenTheToolFallsSilent) {
  struct Case {
    Bytes block;
    std::string reply;
  };
  const Case cases[] = {
      {{0x10, 0x20, 0xD0}, Line("WRITE OK")},  // sums to 0
      {{0x10, 0x20, 0xD1}, Line("WRITE NG")},
      {{}, Line("WRITE NG")},  // nothing to load
  };
  for (const Case& c : cases) {
    const Bytes before = Vk1().SetupBlock();
    RawClient client(kVk1);
    client.Send("VK38 SETTING CHANGE\r\n");
    client.ReceiveLine();
    client.Send(c.block);
    EXPECT_EQ(client.ReceiveLine(), c.reply) << c.block.size() << " bytes";
    EXPECT_EQ(Vk1().SetupBlock(), c.reply == Line("WRITE OK") ? c.block : before);
  }
}

TEST_F(PanelExchange, LogIsStreamedWholeAndInOrder) {
  Vk1().SetLog({10000, 1460});
  RawClient client(kVk1);
  client.Send("VK38 LOG REQ\r\n");
  const Bytes log = BytesOf(client.ReceiveAll());
  Bytes expected(10000);
  sim::FillLog(kVk1, 0, expected);
  EXPECT_EQ(log, expected);
  EXPECT_TRUE(client.closed);
}

TEST_F(PanelExchange, ExactLogIsSentAsSetInPieces) {
  Vk1().SetLog({0, 4});
  Vk1().SetLogBytes(BytesOf("line one\r\nline two\r\n"));
  Vk1().SetFault("VK38 LOG REQ", sim::Fault{.pieces = {100, 100, 100, 100, 100, 100}});
  RawClient client(kVk1);
  client.Send("VK38 LOG REQ\r\n");
  EXPECT_EQ(client.ReceiveAll(), "line one\r\nline two\r\n");
  EXPECT_EQ(client.receiveSizes, (std::vector<std::size_t>{4, 4, 4, 4, 4}));
}

TEST_F(PanelExchange, LogTextIsTheSameWhereverAPieceStarts) {
  Bytes whole(3 * sim::kLogLineSize);
  sim::FillLog(kVk2, 0, whole);
  Bytes middle(70);
  sim::FillLog(kVk2, 50, middle);
  EXPECT_TRUE(std::equal(middle.begin(), middle.end(), whole.begin() + 50));
  EXPECT_EQ(whole[sim::kLogLineSize - 2], '\r');
  EXPECT_EQ(whole[sim::kLogLineSize - 1], '\n');
}

TEST_F(PanelExchange, ProgramUploadAnswersEachStageOnItsOwnLine) {
  Vk1().SetImageSize(5000);
  Bytes image(5000);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 13);

  RawClient client(kVk1);
  client.Send("VK38 VER UP START\r\n");
  EXPECT_EQ(client.ReceiveLine(), Line("VER UP START OK"));
  client.Send(image);
  client.receiveSizes.clear();
  EXPECT_EQ(client.ReceiveAll(), Line("FILE OK") + Line("ERASE OK") + Line("WRITE OK"));
  EXPECT_EQ(client.receiveSizes, (std::vector<std::size_t>{10, 11, 11}))
      << "each line must arrive on its own";
  EXPECT_EQ(Vk1().ProgramImage(), image);
  EXPECT_TRUE(Vk1().FpgaImage().empty());
}

TEST_F(PanelExchange, FpgaImageWithoutKnownSizeEndsAtTheIdleGap) {
  const Bytes image(9000, 0x5A);
  RawClient client(kVk1);
  client.Send("FPGA VER UP START\r\n");
  EXPECT_EQ(client.ReceiveLine(), Line("VER UP START OK"));
  client.Send(image);
  EXPECT_EQ(client.ReceiveAll(), Line("FILE OK") + Line("WRITE OK"));
  EXPECT_EQ(Vk1().FpgaImage(), image);
}

TEST_F(PanelExchange, CredentialsAreSentAndLoaded) {
  RawClient read(kVk1);
  read.Send("VK38 AUTH SETTING REQ\r\n");
  const Bytes factory = BytesOf(read.ReceiveAll());
  ASSERT_EQ(factory.size(), 68u);
  EXPECT_STREQ(reinterpret_cast<const char*>(&factory[0]), "staff");
  EXPECT_STREQ(reinterpret_cast<const char*>(&factory[33]), "48213");
  EXPECT_TRUE(protocol::IsZeroSum(factory));
  read.Close();

  const Bytes changed = sim::BuildCredentialRecord("operator", "pass:word");
  RawClient write(kVk1);
  write.Send("VK38 AUTH SETTING CHANGE\r\n");
  EXPECT_EQ(write.ReceiveLine(), Line("SETTING CHANGE OK"));
  write.Send(changed);
  EXPECT_EQ(write.ReceiveLine(), Line("WRITE OK"));
  EXPECT_EQ(Vk1().Credentials(), changed);
}

TEST_F(PanelExchange, UnknownLineIsClosedWithoutAnswer) {
  RawClient client(kVk1);
  client.Send("VK38 HELLO\r\n");
  EXPECT_EQ(client.ReceiveAll(), "");
  EXPECT_TRUE(client.closed);
}

TEST_F(PanelExchange, EachPanelAndConnectionIsRecordedApart) {
  for (const char* line : {"VK38 LOG REQ\r\n", "VK38 NOTHING\r\n"}) {
    RawClient client(kVk1);
    client.Send(line);
    client.ReceiveAll();
  }
  RawClient other(kVk2);
  other.Send("VK38 AUTH SETTING REQ\r\n");
  other.ReceiveAll();
  other.Close();
  WaitForConnections(Vk1(), 2);
  WaitForConnections(simulator.Panel(kVk2), 1);

  EXPECT_EQ(Vk1().Received(),
            (std::vector<Bytes>{BytesOf("VK38 LOG REQ\r\n"), BytesOf("VK38 NOTHING\r\n")}));
  EXPECT_EQ(simulator.Panel(kVk2).Received(),
            std::vector<Bytes>{BytesOf("VK38 AUTH SETTING REQ\r\n")});
}

}  // namespace

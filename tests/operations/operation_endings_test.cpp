// Every panel operation against the simulator's faults: the ending and the
// step each fault gives, the same for the program's pages and for vk38.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "operations/camera_table.h"
#include "operations/credentials.h"
#include "operations/firmware.h"
#include "operations/panel_log.h"
#include "operations/setup_block.h"
#include "protocol/panel_wire.h"
#include "sim/sim_fixture.h"
#include "support/fake_file_system.h"

namespace {

using namespace std::chrono_literals;
using operations::Ending;
using operations::Outcome;
using operations::Stage;
using sim::Fault;

constexpr protocol::PanelAddress kNobody = 0xC0A80008;  // 192.168.0.8: no panel listens there
const std::string kImage(10000, 'i');

struct Operation {
  const char* name;
  const char* command;  // the line the faults are set on
  std::function<Outcome(const protocol::PanelLink&, testing_support::FakeFileSystem&)> run;
  // How an image upload ends when the panel answers "FILE NG": a program
  // image at its receipt; an FPGA image's first line is not examined, and
  // the panel closes before the verdict.
  std::optional<Outcome> fileNg{};
};

struct OperationEndings : SimulatorTest {
  testing_support::FakeFileSystem files;
  // Short waits, so that a silent panel ends an operation soon.
  protocol::PanelLink link{network, kVk1, {.progress = 400ms, .flashWrite = 400ms}};

  Outcome Run(const Operation& operation, const Fault& fault) {
    Vk1().ClearFaults();
    Vk1().SetFault(operation.command, fault);
    Vk1().SetImageSize(kImage.size());
    files.Add("image", {.content = kImage});
    return operation.run(link, files);
  }
};

const std::vector<Operation>& Reads() {
  static const std::vector<Operation> reads = {
      {"camera table", "VK38 IP SETTING REQ",
       [](const protocol::PanelLink& link, auto&) {
         protocol::IpSettingRecord table;
         return operations::ReadCameraTable(link, table);
       }},
      {"renew proposal", "VK38 IP SET RENEW START",
       [](const protocol::PanelLink& link, auto&) {
         protocol::IpSettingRecord table;
         return operations::ProposeAssignment(link, operations::Assignment::kRenew, false, table);
       }},
      {"setup block", "VK38 SETTING REQ",
       [](const protocol::PanelLink& link, auto&) {
         std::vector<std::uint8_t> block;
         return operations::ReadSetupBlock(link, block);
       }},
      {"credentials", "VK38 AUTH SETTING REQ",
       [](const protocol::PanelLink& link, auto&) {
         protocol::CredentialRecord record;
         return operations::ReadCredentials(link, record);
       }},
  };
  return reads;
}

const std::vector<Operation>& Writes() {
  static const std::vector<Operation> writes = {
      {"camera table", "VK38 IP SETTING CHANGE",
       [](const protocol::PanelLink& link, auto&) {
         protocol::IpSettingRecord table;
         protocol::ComputeChecksum(table);
         return operations::WriteCameraTable(link, table);
       }},
      {"setup block", "VK38 SETTING CHANGE",
       [](const protocol::PanelLink& link, auto&) {
         const std::vector<std::uint8_t> block(100, 0);
         return operations::WriteSetupBlock(link, block);
       }},
      {"credentials", "VK38 AUTH SETTING CHANGE",
       [](const protocol::PanelLink& link, auto&) {
         return operations::WriteCredentials(link, protocol::CredentialRecord{});
       }},
      {"program image", "VK38 VER UP START",
       [](const protocol::PanelLink& link, testing_support::FakeFileSystem& files) {
         return operations::SendImage(link, operations::Image::kProgram,
                                      [&] { return files.OpenForReading("image"); });
       },
       Outcome{Ending::kNotWritten, Stage::kReceipt}},
      {"FPGA image", "FPGA VER UP START",
       [](const protocol::PanelLink& link, testing_support::FakeFileSystem& files) {
         return operations::SendImage(link, operations::Image::kFpga,
                                      [&] { return files.OpenForReading("image"); });
       },
       Outcome{Ending::kBroken, Stage::kVerdict}},
  };
  return writes;
}

void ExpectOutcome(const Outcome& got, Ending ending, Stage stage) {
  EXPECT_EQ(got.ending, ending);
  EXPECT_EQ(got.stage, stage);
}

TEST_F(OperationEndings, ReadsTellEachFaultApart) {
  for (const Operation& read : Reads()) {
    SCOPED_TRACE(read.name);
    ExpectOutcome(Run(read, {}), Ending::kDone, Stage::kPayload);
    ExpectOutcome(Run(read, {.badChecksum = true}), Ending::kBadData, Stage::kPayload);
    ExpectOutcome(Run(read, {.closeAtOnce = true}), Ending::kBadData, Stage::kPayload);
    ExpectOutcome(Run(read, {.silentAfter = 0}), Ending::kSilent, Stage::kPayload);
    ExpectOutcome(Run(read, {.resetAfter = 10}), Ending::kBroken, Stage::kPayload);
  }
}

TEST_F(OperationEndings, WritesTellEachFaultApart) {
  for (const Operation& write : Writes()) {
    SCOPED_TRACE(write.name);
    ExpectOutcome(Run(write, {}), Ending::kDone, Stage::kVerdict);
    ExpectOutcome(Run(write, {.wrongReply = true}), Ending::kRefused, Stage::kAcceptance);
    ExpectOutcome(Run(write, {.closeAtOnce = true}), Ending::kBroken, Stage::kAcceptance);
    ExpectOutcome(Run(write, {.silentAfter = 0}), Ending::kSilent, Stage::kAcceptance);
    ExpectOutcome(Run(write, {.writeNg = true}), Ending::kNotWritten, Stage::kVerdict);
    if (write.fileNg) {
      ExpectOutcome(Run(write, {.fileNg = true}), write.fileNg->ending, write.fileNg->stage);
    }
  }
}

TEST_F(OperationEndings, WhatThePanelSentWrongIsTold) {
  using operations::Flaw;
  const std::vector<std::pair<Fault, std::vector<Flaw>>> faults = {
      // camera table, renew proposal, setup block, credentials
      {{.closeAtOnce = true}, {Flaw::kEmpty, Flaw::kEmpty, Flaw::kEmpty, Flaw::kEmpty}},
      {{.badChecksum = true}, {Flaw::kBadSum, Flaw::kBadSum, Flaw::kBadSum, Flaw::kBadSum}},
      // The setup block's part that fits still sums to zero: the page keeps it.
      {{.oversize = 5000}, {Flaw::kLong, Flaw::kLong, Flaw::kNone, Flaw::kLong}},
  };
  for (const auto& [fault, flaws] : faults) {
    for (std::size_t i = 0; i < Reads().size(); ++i) {
      SCOPED_TRACE(Reads()[i].name);
      EXPECT_EQ(Run(Reads()[i], fault).flaw, flaws[i]);
    }
  }
  // A setup block longer than the reply buffer is refused when asked, even
  // when the part that fits sums to zero; the page judges that part.
  Vk1().SetSetupBlock(sim::Bytes(5000, 0));
  std::vector<std::uint8_t> block;
  const Outcome refused = operations::ReadSetupBlock(link, block, operations::LongBlock::kRefused);
  ExpectOutcome(refused, Ending::kBadData, Stage::kPayload);
  EXPECT_EQ(refused.flaw, Flaw::kLong);
  EXPECT_TRUE(block.empty());
  ExpectOutcome(operations::ReadSetupBlock(link, block), Ending::kDone, Stage::kPayload);
  EXPECT_EQ(block.size(), protocol::kPanelBlockSize);
}

TEST_F(OperationEndings, ARefusalKeepsThePanelsReply) {
  const Operation& setup = Writes()[1];
  EXPECT_EQ(Run(setup, {.wrongReply = true}).reply, "SETTING CHANGE NG");
  EXPECT_EQ(Run(setup, {.writeNg = true}).reply, "WRITE NG");
  EXPECT_EQ(Run(Writes()[3], {.fileNg = true}).reply, "FILE NG");
  EXPECT_EQ(Run(setup, {}).reply, "");
}

TEST_F(OperationEndings, EveryOperationTellsARefusedConnectionAndAMissingFile) {
  link.address = kNobody;
  for (const auto* list : {&Reads(), &Writes()}) {
    for (const Operation& operation : *list) {
      SCOPED_TRACE(operation.name);
      ExpectOutcome(operation.run(link, files), Ending::kNotConnected, Stage::kConnect);
    }
  }
  link.address = kVk1;
  ExpectOutcome(operations::SendImage(link, operations::Image::kFpga,
                                      [&] { return files.OpenForReading("missing"); }),
                Ending::kNoFile, Stage::kPayload);
}

TEST_F(OperationEndings, ALogSaveTellsTheConnectionFromTheFile) {
  Vk1().SetLog({20000, 4096});
  const auto save = [&](const std::string& path) {
    return operations::SaveLog(link, [&] { return files.CreateForWriting(path); });
  };
  ExpectOutcome(save("log"), Ending::kDone, Stage::kPayload);
  EXPECT_EQ(files.files.at("log")->content.size(), 20000u);
  files.locked.insert("locked");
  ExpectOutcome(save("locked"), Ending::kNoFile, Stage::kPayload);
  files.Add("full", {.writeFailsAfter = 5000});
  ExpectOutcome(save("full"), Ending::kFileFailed, Stage::kPayload);
  Vk1().SetFault("VK38 LOG REQ", {.resetAfter = 8000});
  ExpectOutcome(save("cut"), Ending::kBroken, Stage::kPayload);
  Vk1().SetFault("VK38 LOG REQ", {.silentAfter = 8000});
  ExpectOutcome(save("stalled"), Ending::kSilent, Stage::kPayload);
}

}  // namespace

// vk38 on many panels at once: every panel's outcome is reported, one
// panel's failure never stops the others, a silent panel ends within the
// silence limit, and the exit code tells the three endings apart.
#include <gtest/gtest.h>

#include <regex>

#include <nlohmann/json.hpp>

#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <thread>

#include "commands/setup/setup_backup.h"
#include "in_process.h"
#include "pages/setting/setting_page_fixture.h"
#include "platform/system.h"
#include "run/panel_operations.h"
#include "run/run_on_panels.h"
#include "sim/panel_simulator.h"
#include "vk38_runner.h"

namespace {

using cli_test::RunVk38;
using sim::Fault;

constexpr protocol::PanelAddress kVk1 = 0xC0A80009, kVk2 = 0xC0A80007, kVk3 = 0xC0A80006,
                                 kVk4 = 0xC0A80005;  // VK5, 192.168.0.4, has no panel: refused
constexpr protocol::PanelAddress kVk5 = 0xC0A80004;

class Fleet : public ::testing::Test {
 protected:
  void SetUp() override {
    for (protocol::PanelAddress address : simulator.Addresses()) {
      sim::PanelTiming timing;
      timing.idleGap = std::chrono::milliseconds(150);
      timing.peerWait = std::chrono::milliseconds(5000);
      simulator.Panel(address).SetTiming(timing);
      simulator.Panel(address).SetSetupBlock(Block(static_cast<std::uint8_t>(address)));
    }
    std::string error;
    ASSERT_TRUE(simulator.Start(&error)) << error;
  }

  // A setup block of its own for each panel, with a good sum.
  static sim::Bytes Block(std::uint8_t seed, std::size_t size = 600) {
    sim::Bytes block(size, seed);
    block.back() = 0;
    unsigned sum = 0;
    for (std::uint8_t byte : block) sum += byte;
    block.back() = static_cast<std::uint8_t>(0x100 - (sum & 0xFF));
    return block;
  }

  static std::vector<nlohmann::json> JsonLines(const std::string& out) {
    std::vector<nlohmann::json> lines;
    std::size_t at = 0;
    for (std::size_t end; (end = out.find('\n', at)) != std::string::npos; at = end + 1) {
      lines.push_back(nlohmann::json::parse(out.substr(at, end - at)));
    }
    return lines;
  }

  // The outcomes of a --json run by panel (in the order they ended), and
  // the summary that ends the run.
  struct JsonRun {
    std::map<std::string, nlohmann::json> byPanel;
    std::vector<std::string> order;
    nlohmann::json summary;
  };
  static JsonRun ParseJsonRun(const std::string& out) {
    JsonRun parsed;
    for (const nlohmann::json& line : JsonLines(out)) {
      if (line.contains("summary")) {
        parsed.summary = line["summary"];
        continue;
      }
      EXPECT_TRUE(parsed.summary.is_null()) << "an outcome after the summary: " << line;
      parsed.order.push_back(line["panel"]);
      parsed.byPanel[line["panel"]] = line;
    }
    return parsed;
  }

  platform::SystemNetwork network;
  sim::PanelSimulator simulator{network, {kVk1, kVk2, kVk3, kVk4}};
};

TEST_F(Fleet, OneSilentAndOneRefusingPanelFailAloneAndInTime) {
  simulator.Panel(kVk2).SetFault("VK38 SETTING REQ", {.silentAfter = 0});
  const std::string folder = cli_test::FreshFolder("backup");
  const auto run = RunVk38({"--json", "--timeout", "1", "setup", "backup", "VK1", "VK2", "VK3",
                            "VK4", "VK5", "-o", folder});

  EXPECT_EQ(run.exitCode, 1) << run.err;
  // One silence limit, with the other panels worked on meanwhile.
  EXPECT_LT(run.took, std::chrono::seconds(4));
  const JsonRun parsed = ParseJsonRun(run.out);
  ASSERT_EQ(parsed.byPanel.size(), 5u) << run.out;
  const std::vector<std::string> panels = {"192.168.0.9", "192.168.0.7", "192.168.0.6",
                                           "192.168.0.5", "192.168.0.4"};
  const std::vector<bool> ok = {true, false, true, true, false};
  for (std::size_t i = 0; i < panels.size(); ++i) {
    EXPECT_EQ(parsed.byPanel.at(panels[i])["ok"], ok[i]) << parsed.byPanel.at(panels[i]);
  }
  // The silent panel is told last, after everyone else.
  EXPECT_EQ(parsed.order.back(), "192.168.0.7");
  EXPECT_EQ(parsed.summary, nlohmann::json({{"panels", 5},
                                            {"succeeded", 3},
                                            {"failed", 2},
                                            {"interrupted", 0},
                                            {"not-started", 0},
                                            {"changed", nullptr}}));
  EXPECT_EQ(parsed.byPanel.at("192.168.0.7")["message"], "Socket Error!!");
  EXPECT_EQ(parsed.byPanel.at("192.168.0.4")["message"], "No Connect!!");
  // Each good panel's block, byte for byte, in a file named by its address.
  for (std::size_t i : {0u, 2u, 3u}) {
    const std::string path = parsed.byPanel.at(panels[i])["file"];
    EXPECT_TRUE(std::filesystem::path(path).filename().string().starts_with(panels[i] + "_"));
    const std::string text = cli_test::ReadText(path);
    const sim::Bytes expected = Block(static_cast<std::uint8_t>(i == 0   ? kVk1
                                                                : i == 2 ? kVk3
                                                                         : kVk4));
    EXPECT_EQ(text, std::string(expected.begin(), expected.end()));
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                          std::filesystem::directory_iterator()),
            3);
}

TEST_F(Fleet, ABlockWithABadSumOrNoBytesIsAFailureAndNoFile) {
  simulator.Panel(kVk1).SetFault("VK38 SETTING REQ", {.badChecksum = true});
  simulator.Panel(kVk2).SetSetupBlock({});
  const std::string folder = cli_test::FreshFolder("bad-blocks");
  const auto run = RunVk38({"setup", "backup", "VK1", "VK2", "VK3", "-o", folder, "--jobs", "1"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.out.find("192.168.0.9: FAILED: "), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("192.168.0.7: FAILED: "), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("192.168.0.6: Save OK"), std::string::npos) << run.out;
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(Fleet, RestoreSendsABackupAndRefusesADamagedOne) {
  const std::string folder = cli_test::FreshFolder("restore");
  const std::string good = folder + "/good.v38";
  const sim::Bytes block = Block(0x21);
  cli_test::WriteText(good, std::string(block.begin(), block.end()));
  auto run = RunVk38({"setup", "restore", "VK3", good});
  EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_EQ(simulator.Panel(kVk3).SetupBlock(), block);

  const std::string damaged = folder + "/damaged.v38";
  cli_test::WriteText(damaged, std::string(block.begin(), block.end() - 1));
  run = RunVk38({"setup", "restore", "VK4", damaged});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(simulator.Panel(kVk4).Received().empty());
}

TEST_F(Fleet, AFolderGivesEachPanelItsOwnFileAndABackupOfAnotherPanelIsTold) {
  const std::string folder = cli_test::FreshFolder("own-files");
  const auto put = [&](const std::string& name, std::uint8_t seed) {
    const sim::Bytes block = Block(seed);
    cli_test::WriteText(folder + "/" + name, std::string(block.begin(), block.end()));
    return block;
  };
  put("192.168.0.9_20260101-080000.v38", 0x11);
  const sim::Bytes newest = put("192.168.0.9_20260102-080000_2.v38", 0x12);
  put("192.168.0.9_20260102-080000.v38", 0x13);
  put("192.168.0.7_20991231-235959.v38.part", 0x14);  // no backup: not taken
  const sim::Bytes vk2 = simulator.Panel(kVk2).SetupBlock();
  auto run = RunVk38({"setup", "restore", "VK1", "VK2", folder, "--json"});
  EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
  const auto outcomes = ParseJsonRun(run.out).byPanel;
  EXPECT_EQ(outcomes.at("192.168.0.9")["file"], folder + "/192.168.0.9_20260102-080000_2.v38");
  EXPECT_EQ(simulator.Panel(kVk1).SetupBlock(), newest);
  EXPECT_EQ(outcomes.at("192.168.0.7")["code"], "file") << outcomes.at("192.168.0.7");
  EXPECT_EQ(simulator.Panel(kVk2).SetupBlock(), vk2);
  EXPECT_TRUE(simulator.Panel(kVk2).Received().empty());

  // One panel's backup given for another: told, and refused with --strict.
  const std::string foreign = folder + "/192.168.0.9_20260101-080000.v38";
  run = RunVk38({"setup", "restore", "VK2", foreign, "--strict"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.out.find("was taken from 192.168.0.9 (--strict)"), std::string::npos) << run.out;
  EXPECT_TRUE(simulator.Panel(kVk2).Received().empty());
  run = RunVk38({"setup", "restore", "VK2", foreign});
  EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_NE(run.err.find("192.168.0.7: warning: " + foreign +
                         " was taken from 192.168.0.9, not from this panel"),
            std::string::npos)
      << run.err;

  // table set: <address>_<name> first, then <address>; a .csv and a .json
  // that could both be a panel's refuse that panel only.
  cli_test::WriteText(folder + "/192.168.0.9_left.csv", "CAMERA No,CAMERA Name\nC001,left\n");
  cli_test::WriteText(folder + "/192.168.0.7.csv", "CAMERA No,CAMERA Name\nC001,right\n");
  cli_test::WriteText(folder + "/192.168.0.6.csv", "CAMERA No,CAMERA Name\nC001,x\n");
  cli_test::WriteText(folder + "/192.168.0.6.json", "[]");
  cli_test::WriteText(folder + "/fleet.txt", "192.168.0.9 left\n192.168.0.7 right\nVK3\n");
  run = RunVk38({"table", "set", "@" + folder + "/fleet.txt", folder, "--yes", "--json"});
  EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
  const auto tables = ParseJsonRun(run.out).byPanel;
  EXPECT_EQ(tables.at("192.168.0.9")["file"], folder + "/192.168.0.9_left.csv");
  EXPECT_EQ(tables.at("192.168.0.7")["file"], folder + "/192.168.0.7.csv");
  EXPECT_EQ(tables.at("192.168.0.6")["code"], "file");
  const sim::Bytes record = simulator.Panel(kVk2).CameraRecord();
  protocol::IpSettingRecord held;
  std::copy_n(record.begin(), std::min(record.size(), held.bytes.size()), held.bytes.begin());
  EXPECT_EQ(held.CamName(0), "right");
}

TEST_F(Fleet, APartialTableFileSetsOnlyItsFieldsEachOnThePanelsOwnTable) {
  // Three panels whose tables differ in every address, a port and an input.
  std::map<protocol::PanelAddress, protocol::IpSettingRecord> tables;
  int n = 1;
  for (protocol::PanelAddress panel : {kVk1, kVk2, kVk3}) {
    protocol::IpSettingRecord table = setting_test::PanelTable();
    for (int c = 0; c < protocol::kCameraCount; ++c)
      protocol::SetIp(table.CamAddr(c), setting_test::Ip(10, n, 0, c + 1));
    protocol::SetHttpPort(table.CamAddr(7), static_cast<std::uint16_t>(9000 + n));
    table.SwInput(0) = static_cast<std::uint8_t>(n++);
    tables[panel] = setting_test::Sealed(table);
    simulator.Panel(panel).SetCameraRecord(tables[panel]);
  }
  const sim::Bytes vk4 = simulator.Panel(kVk4).CameraRecord();
  const std::string file = cli_test::FreshFolder("partial") + "/names.csv";
  cli_test::WriteText(file, "CAMERA No,CAMERA Name\nC001,left\nC002,right\n");

  const auto run = RunVk38({"table", "set", "VK1", "VK2", "VK3", file, "--verify"});
  EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_NE(run.out.find("3 panels: 3 succeeded, 0 failed"), std::string::npos) << run.out;
  for (auto& [panel, table] : tables) {
    table.SetCamName(0, "left");
    table.SetCamName(1, "right");
    const protocol::IpSettingRecord expected = setting_test::Sealed(table);
    EXPECT_EQ(simulator.Panel(panel).CameraRecord(),
              sim::Bytes(expected.bytes.begin(), expected.bytes.end()))
        << protocol::AddressText(panel);
  }
  EXPECT_EQ(simulator.Panel(kVk4).CameraRecord(), vk4) << "a panel not given";
}

TEST_F(Fleet, VerifyCatchesEveryWriteThatAPanelConfirmsButDoesNotKeep) {
  const std::string folder = cli_test::FreshFolder("verify");
  const std::string names = folder + "/names.csv";
  cli_test::WriteText(names, "CAMERA No,CAMERA Name\nC001,verify\n");
  const std::string setup = folder + "/setup.v38";
  // VK1's own settings, but half as many: they differ from its checksum byte on.
  const sim::Bytes block = Block(static_cast<std::uint8_t>(kVk1), 300);
  cli_test::WriteText(setup, std::string(block.begin(), block.end()));
  const struct {
    std::vector<std::string> command;
    std::string input;
    std::string change;
    std::string differs;
  } cases[] = {
      {{"table", "set", "VK1", "VK2", names, "--yes"},
       "",
       "VK38 IP SETTING CHANGE",
       "its camera table differs in 1 field: C001 CAMERA Name"},
      {{"setup", "restore", "VK1", "VK2", setup},
       "",
       "VK38 SETTING CHANGE",
       "the setup block read back differs from byte 299 on, 301 bytes in all (300 bytes sent, "
       "600 read)"},
      {{"auth", "set", "VK1", "VK2", "--old-user", "staff", "--new-user", "keeper",
        "--password-stdin"},
       "48213\nsecret7\nsecret7\n",
       "VK38 AUTH SETTING CHANGE",
       "the user name and password read back differ"},
  };
  for (const auto& c : cases) {
    // VK1 keeps what it held; VK2 takes the write.
    simulator.Panel(kVk1).SetFault(c.change, {.keepOld = true});
    std::vector<std::string> arguments = {"--json"};
    arguments.insert(arguments.end(), c.command.begin(), c.command.end());
    arguments.push_back("--verify");
    const auto run = RunVk38(arguments, c.input);
    EXPECT_EQ(run.exitCode, 1) << c.change << run.out << run.err;
    EXPECT_EQ(run.out.find("secret7"), std::string::npos);
    EXPECT_EQ(run.err.find("secret7"), std::string::npos);
    const JsonRun parsed = ParseJsonRun(run.out);
    ASSERT_EQ(parsed.byPanel.size(), 2u) << run.out;
    const nlohmann::json& kept = parsed.byPanel.at("192.168.0.9");
    EXPECT_EQ(kept["code"], "not-verified") << kept;
    EXPECT_EQ(kept["cause"], "the panel answered WRITE OK, but " + c.differs) << kept;
    const nlohmann::json& taken = parsed.byPanel.at("192.168.0.7");
    EXPECT_EQ(taken["code"], "ok") << taken;
    EXPECT_EQ(taken["verified"], true) << taken;
    simulator.Panel(kVk1).ClearFaults();
  }
}

TEST_F(Fleet, LogsGoToTheirFilesWhole) {
  simulator.Panel(kVk1).SetLog({.size = 3 * 1024 * 1024 + 5, .piece = 8192});
  const std::string folder = cli_test::FreshFolder("logs");
  const auto run = RunVk38({"--json", "log", "VK1", "VK2", "-o", folder});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const JsonRun parsed = ParseJsonRun(run.out);
  ASSERT_EQ(parsed.byPanel.size(), 2u);
  const nlohmann::json& vk1 = parsed.byPanel.at("192.168.0.9");
  EXPECT_EQ(vk1["bytes"], 3 * 1024 * 1024 + 5);
  EXPECT_EQ(std::filesystem::file_size(vk1["file"].get<std::string>()), 3 * 1024 * 1024 + 5);
  // Not on a terminal: nothing but the outcomes.
  EXPECT_EQ(run.err, "");
}

TEST_F(Fleet, AWriteThatFailsKeepsTheOldFileAndLeavesNoOther) {
  // A disk of two pages, both taken: the old table and a filler.
  const std::vector<std::vector<std::string>> commands = {
      {"table", "get", "VK1", "-o", "/t.csv"},
      {"setup", "backup", "VK1", "-o", ""},
      {"log", "VK1", "-o", ""},
  };
  for (std::vector<std::string> arguments : commands) {
    const std::string disk = cli_test::FreshFolder("full-disk");
    arguments.back() = disk + arguments.back();
    const std::string command = arguments[0];
    const auto run = cli_test::RunVk38OnSmallDisk(
        arguments, disk, 8, "printf 'old table' >t.csv && head -c 4096 /dev/zero >filler");
    EXPECT_EQ(run.exitCode, 1) << command << run.out << run.err;
    EXPECT_NE(run.out.find("No space left on device"), std::string::npos) << command << run.out;
    EXPECT_EQ(cli_test::FileNames(disk), (std::vector<std::string>{"filler", "t.csv"})) << command;
    EXPECT_EQ(cli_test::ReadText(disk + "/t.csv"), "old table") << command;
  }
}

TEST_F(Fleet, StandardOutputThatCannotBeWrittenFailsThePanel) {
  const auto run = RunVk38({"table", "get", "VK1"}, "", "/dev/full");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("192.168.0.9: FAILED: File write error - cannot write standard output: "
                         "No space left on device\n"),
            std::string::npos)
      << run.err;
}

TEST_F(Fleet, BackupsNeverReplaceOneAnotherAndAPanelGivenTwiceIsAskedOnce) {
  const std::string folder = cli_test::FreshFolder("two-backups");
  auto run = RunVk38({"setup", "backup", "VK1", "192.168.0.9", "-o", folder});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "192.168.0.9: Save OK (" + folder + "/" + cli_test::FileNames(folder).at(0) +
                         ")\n" + "1 panel: 1 succeeded, 0 failed\n")
      << run.err;
  EXPECT_EQ(simulator.Panel(kVk1).Received().size(), 1u);

  // A second backup at once (most likely within the same second) keeps the first.
  simulator.Panel(kVk1).SetSetupBlock(Block(0x33));
  run = RunVk38({"setup", "backup", "VK1", "-o", folder});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  std::vector<std::string> contents;
  for (const std::string& name : cli_test::FileNames(folder)) {
    contents.push_back(cli_test::ReadText(folder + "/" + name));
  }
  std::sort(contents.begin(), contents.end());
  std::vector<std::string> expected;
  for (const sim::Bytes& block : {Block(static_cast<std::uint8_t>(kVk1)), Block(0x33)}) {
    expected.emplace_back(block.begin(), block.end());
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(contents, expected);
}

TEST_F(Fleet, ALogCutShortOrNeverSentLeavesNoFile) {
  simulator.Panel(kVk1).SetLog({.size = 200000, .piece = 4096});
  simulator.Panel(kVk1).SetFault("VK38 LOG REQ", {.resetAfter = 50000});
  simulator.Panel(kVk2).SetFault("VK38 LOG REQ", {.silentAfter = 20000});
  const std::string folder = cli_test::FreshFolder("cut-logs");
  const auto run = RunVk38({"--json", "--timeout", "1", "log", "VK1", "VK2", "VK5", "-o", folder});
  EXPECT_EQ(run.exitCode, 1);
  const JsonRun parsed = ParseJsonRun(run.out);
  EXPECT_EQ(parsed.byPanel.size(), 3u);
  for (const auto& [panel, line] : parsed.byPanel) {
    EXPECT_EQ(line["ok"], false) << line;
    EXPECT_FALSE(line["bytes"] == 0) << line;
  }
  EXPECT_TRUE(cli_test::FileNames(folder).empty());
}

TEST_F(Fleet, AStopRequestEndsTheRunWithinASecondAndTellsEveryPanel) {
  // One panel at a time: VK1 is done, VK2 stays silent, VK3 is never asked.
  simulator.Panel(kVk2).SetFault("VK38 SETTING REQ", {.silentAfter = 0});
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    const std::string folder = cli_test::FreshFolder("stopped");
    const cli_test::InterruptedRun stopped = cli_test::RunVk38AndSignal(
        {"--json", "--jobs", "1", "setup", "backup", "VK1", "VK2", "VK3", "-o", folder},
        std::chrono::milliseconds(1500), signal);

    EXPECT_EQ(stopped.run.exitCode, 130) << stopped.run.err;
    EXPECT_LT(stopped.endedAfterSignal, std::chrono::seconds(1));
    // VK1 was told as soon as it was done, long before the end.
    EXPECT_NE(stopped.outBeforeSignal.find("\"panel\":\"192.168.0.9\",\"name\":null,\"ok\":true"),
              std::string::npos)
        << stopped.outBeforeSignal;
    const JsonRun parsed = ParseJsonRun(stopped.run.out);
    ASSERT_EQ(parsed.byPanel.size(), 3u) << stopped.run.out;
    EXPECT_EQ(parsed.byPanel.at("192.168.0.9")["code"], "ok");
    EXPECT_EQ(parsed.byPanel.at("192.168.0.7")["code"], "interrupted");
    EXPECT_EQ(parsed.byPanel.at("192.168.0.6")["code"], "interrupted");
    EXPECT_EQ(parsed.summary, nlohmann::json({{"panels", 3},
                                              {"succeeded", 1},
                                              {"failed", 0},
                                              {"interrupted", 2},
                                              {"not-started", 0},
                                              {"changed", nullptr}}));
    // VK1's backup alone, and nothing half-written.
    const std::vector<std::string> names = cli_test::FileNames(folder);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_TRUE(names[0].starts_with("192.168.0.9_") && names[0].ends_with(".v38")) << names[0];
  }
}

TEST_F(Fleet, EachFaultHasItsCodeAndACauseThatNamesTheStep) {
  const std::string folder = cli_test::FreshFolder("codes");
  const sim::Bytes good = Block(0x44);
  cli_test::WriteText(folder + "/good.v38", std::string(good.begin(), good.end()));
  const std::vector<std::string> backup = {"setup", "backup", "VK1", "-o", folder + "/b"};
  const std::vector<std::string> restore = {"setup", "restore", "VK1", folder + "/good.v38"};
  struct Case {
    std::vector<std::string> command;
    const char* line;  // the command line the fault is set on
    Fault fault;
    std::string code;
    std::string cause;
  };
  const std::vector<Case> cases = {
      {backup, "VK38 SETTING REQ", {}, "ok", ""},
      {backup,
       "VK38 SETTING REQ",
       {.silentAfter = 0},
       "timeout",
       "no answer within 1 s while the setup block came in"},
      {backup,
       "VK38 SETTING REQ",
       {.resetAfter = 100},
       "broken",
       "the connection broke while the setup block came in"},
      {backup,
       "VK38 SETTING REQ",
       {.badChecksum = true},
       "bad-data",
       "the bytes of the panel's setup block do not add up to zero (a bad sum)"},
      {restore,
       "VK38 SETTING CHANGE",
       {.wrongReply = true},
       "refused",
       "the panel refused the command: it answered \"SETTING CHANGE NG\""},
      {restore,
       "VK38 SETTING CHANGE",
       {.writeNg = true},
       "refused",
       "the panel did not take the setup block: it answered \"WRITE NG\""},
      {{"table", "get", "VK1", "-o", folder + "/no such folder/t.csv"},
       "VK38 IP SETTING REQ",
       {},
       "file",
       "cannot create " + folder + "/no such folder/t.csv: No such file or directory"},
      {{"table", "get", "VK5"},
       "",
       {},
       "unreachable",
       "the panel did not take the connection: nothing listens there, or no answer within 1 s"},
  };
  for (const Case& test : cases) {
    simulator.Panel(kVk1).ClearFaults();
    if (*test.line) simulator.Panel(kVk1).SetFault(test.line, test.fault);
    std::vector<std::string> arguments = {"--json", "--timeout", "1"};
    arguments.insert(arguments.end(), test.command.begin(), test.command.end());
    const auto run = RunVk38(arguments);
    // A table on standard output sends the outcomes to standard error.
    const JsonRun parsed = ParseJsonRun(test.command.size() == 3 ? run.err : run.out);
    ASSERT_EQ(parsed.byPanel.size(), 1u) << run.out << run.err;
    const nlohmann::json& outcome = parsed.byPanel.begin()->second;
    EXPECT_EQ(outcome["code"], test.code) << outcome;
    EXPECT_EQ(outcome["cause"], test.cause.empty() ? nlohmann::json() : nlohmann::json(test.cause))
        << outcome;
    EXPECT_EQ(run.exitCode, test.code == "ok" ? 0 : 1) << outcome;
  }
}

TEST_F(Fleet, ASetupBlockLongerThanTheReplyBufferIsRefusedNeverKeptCut) {
  // Its first 4096 bytes add up to zero: cut there, it would pass for a setup.
  simulator.Panel(kVk1).SetSetupBlock(sim::Bytes(5000, 0));
  const std::string folder = cli_test::FreshFolder("long-block");
  const auto run = RunVk38({"setup", "backup", "VK1", "-o", folder});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out,
            "192.168.0.9: FAILED: Bad setup block - the panel's setup block was longer than 4096 "
            "bytes; it was not kept\n1 panel: 0 succeeded, 1 failed\n");
  EXPECT_TRUE(cli_test::FileNames(folder).empty());
}

// An image of `size` bytes that no check takes for text.
std::string ImageBytes(std::size_t size) {
  std::string bytes;
  for (std::size_t i = 0; i < size; ++i) bytes += static_cast<char>(i * 7);
  return bytes;
}

TEST_F(Fleet, UpgradeGivesThePagesVerdictForEachPanel) {
  const std::string image = cli_test::FreshFolder("upgrade") + "/program.bin";
  const std::string bytes = ImageBytes(20000);
  cli_test::WriteText(image, bytes);
  simulator.Panel(kVk3).SetFault("VK38 VER UP START", {.fileNg = true});

  const auto run = RunVk38({"upgrade", "VK1", "VK3", "--program", image, "--yes"});
  EXPECT_EQ(run.exitCode, 1);
  // VK3's refusal comes first: VK1 still writes its flash.
  EXPECT_EQ(run.out,
            "192.168.0.6: FAILED: File Error!! - the panel did not take the image: it answered "
            "\"FILE NG\" (" +
                image + ") [changed: no]\n" + "192.168.0.9: Ver Up Finish (" + image +
                ") [changed: yes]\n" +
                "2 panels: 1 succeeded, 1 failed; changed: 1 yes, 0 maybe, 1 no\n");
  EXPECT_EQ(simulator.Panel(kVk1).ProgramImage(), sim::Bytes(bytes.begin(), bytes.end()));

  // The image from standard input, for one panel.
  EXPECT_EQ(RunVk38({"upgrade", "VK4", "--fpga", "-"}, bytes).exitCode, 0);
  EXPECT_EQ(simulator.Panel(kVk4).FpgaImage(), sim::Bytes(bytes.begin(), bytes.end()));
}

TEST_F(Fleet, AnImageIsCheckedAndAFleetUpgradeConfirmedBeforeAnyPanelIsTouched) {
  const std::string folder = cli_test::FreshFolder("images");
  const std::string good = folder + "/good.bin";
  cli_test::WriteText(good, ImageBytes(5000));
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"", "is empty"},
      {"Release notes\r\n\tversion 2.1 \xC3\xA9t\xC3\xA9\n", "is text, not an image"},
  };
  for (const auto& [content, why] : refused) {
    const std::string file = folder + "/image";
    cli_test::WriteText(file, content);
    const auto run = RunVk38({"upgrade", "VK1", "--program", file});
    EXPECT_EQ(run.exitCode, 2) << why;
    EXPECT_EQ(run.err, "vk38: " + file + " " + why + "; no panel was touched\n");
  }
  cli_test::WriteText(folder + "/huge", "");
  std::filesystem::resize_file(folder + "/huge", 64 * 1024 * 1024 + 1);
  EXPECT_EQ(RunVk38({"upgrade", "VK1", "--program", folder + "/huge"}).err,
            "vk38: " + folder + "/huge is larger than 67108864 bytes; no panel was touched\n");
  EXPECT_EQ(RunVk38({"upgrade", "VK1", "--fpga", folder + "/missing"}).exitCode, 2);
  // Two panels and no terminal to confirm on: --yes or nothing.
  const auto unconfirmed = RunVk38({"upgrade", "VK1", "VK2", "--program", good});
  EXPECT_EQ(unconfirmed.exitCode, 2);
  EXPECT_NE(unconfirmed.err.find("needs --yes"), std::string::npos);
  // At a terminal, a no.
  const cli_test::TerminalRun declined =
      cli_test::RunVk38OnTerminal({"upgrade", "VK1", "VK2", "--program", good}, "[y/N] ", "n\n");
  EXPECT_EQ(declined.exitCode, 2) << declined.shown;
  for (protocol::PanelAddress panel : {kVk1, kVk2}) {
    EXPECT_TRUE(simulator.Panel(panel).Received().empty());
  }
}

TEST_F(Fleet, AConfirmedFleetUpgradeShowsTheWholeImageAndTheFlashWrite) {
  const std::string image = cli_test::FreshFolder("confirmed") + "/program.bin";
  cli_test::WriteText(image, ImageBytes(30000));
  const cli_test::TerminalRun run =
      cli_test::RunVk38OnTerminal({"upgrade", "VK1", "VK2", "--program", image}, "[y/N] ", "y\n");
  EXPECT_EQ(run.exitCode, 0) << run.shown;
  EXPECT_NE(run.shown.find("Upgrade 2 panels (192.168.0.9, 192.168.0.7) with the program image " +
                           image + " (30000 bytes)? [y/N] "),
            std::string::npos)
      << run.shown;
  EXPECT_NE(run.shown.find("58.6 KiB  100%"), std::string::npos) << run.shown;
  EXPECT_NE(run.shown.find("writing their flash, 0:00 so far"), std::string::npos) << run.shown;
  EXPECT_NE(run.shown.find("2 panels: 2 succeeded, 0 failed"), std::string::npos) << run.shown;
}

TEST_F(Fleet, AnInventoryNamesItsPanelsInTheOutcomesAndTheFiles) {
  const std::string folder = cli_test::FreshFolder("inventory");
  // A bad line refuses the whole run before any panel is contacted.
  const std::string bad = folder + "/bad.txt";
  cli_test::WriteText(bad, "# studio A\n192.168.0.9 studio-a-left\nVK2 studio a\n");
  auto run = RunVk38({"setup", "backup", "VK3", "@" + bad, "-o", folder + "/b"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err, "vk38: " + bad +
                         ":3: one panel a line, then its name if any: \"a\" is more; no panel was "
                         "contacted\n");
  EXPECT_EQ(RunVk38({"log", "@" + folder + "/missing.txt", "-o", folder + "/b"}).exitCode, 2);
  cli_test::WriteText(folder + "/empty.txt", "# retired\n\n");
  EXPECT_EQ(RunVk38({"log", "@" + folder + "/empty.txt", "-o", folder + "/b"}).err,
            "vk38: the inventories list no panel; no panel was contacted\n");
  for (protocol::PanelAddress panel : {kVk1, kVk2, kVk3}) {
    EXPECT_TRUE(simulator.Panel(panel).Received().empty());
  }
  EXPECT_FALSE(std::filesystem::exists(folder + "/b"));

  const std::string inventory = folder + "/fleet.txt";
  cli_test::WriteText(inventory,
                      "# studio A\r\n192.168.0.9 studio-a-left\r\n\r\n"
                      "VK2\tstudio-a-right  # by its panel name\r\nvk1\r\n");
  run = RunVk38({"--json", "setup", "backup", "@" + inventory, "VK3", "-o", folder + "/b"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "vk38: " + inventory + ":5: 192.168.0.9 was listed before (" + inventory +
                         ":2); it is worked on once\n");
  EXPECT_EQ(simulator.Panel(kVk1).Received().size(), 1u);
  const JsonRun parsed = ParseJsonRun(run.out);
  ASSERT_EQ(parsed.byPanel.size(), 3u) << run.out;
  const std::vector<std::pair<std::string, nlohmann::json>> names = {
      {"192.168.0.9", "studio-a-left"}, {"192.168.0.7", "studio-a-right"}, {"192.168.0.6", {}}};
  for (const auto& [panel, name] : names) {
    const nlohmann::json& outcome = parsed.byPanel.at(panel);
    EXPECT_EQ(outcome["name"], name) << outcome;
    // <address>_<name>_<time>.v38, and <address>_<time>.v38 without a name.
    const std::string file =
        std::filesystem::path(outcome["file"].get<std::string>()).filename().string();
    const std::string stem = name.is_null() ? panel : panel + "_" + name.get<std::string>();
    EXPECT_TRUE(file.starts_with(stem + "_20") && file.ends_with(".v38")) << file;
  }

  run = RunVk38({"table", "get", "@" + inventory, "-o", folder + "/t"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("192.168.0.9 studio-a-left: Read OK (" + folder +
                         "/t/192.168.0.9_studio-a-left.csv)\n"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(cli_test::FileNames(folder + "/t"),
            (std::vector<std::string>{"192.168.0.7_studio-a-right.csv",
                                      "192.168.0.9_studio-a-left.csv"}));
}

TEST_F(Fleet, QuietTellsOnlyFailuresAndVerboseTracesEveryStep) {
  const std::string folder = cli_test::FreshFolder("quiet");
  auto run = RunVk38({"-q", "setup", "backup", "VK1", "VK5", "-o", folder});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.out.starts_with("192.168.0.4: FAILED: No Connect!!")) << run.out;
  EXPECT_TRUE(run.out.ends_with("\n2 panels: 1 succeeded, 1 failed\n")) << run.out;
  EXPECT_EQ(run.out.find("192.168.0.9"), std::string::npos) << run.out;
  EXPECT_EQ(cli_test::FileNames(folder).size(), 1u);

  const sim::Bytes block = Block(0x21);
  cli_test::WriteText(folder + "/good.v38", std::string(block.begin(), block.end()));
  run = RunVk38({"-v", "setup", "restore", "VK3", folder + "/good.v38"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err,
            "192.168.0.6: connected\n"
            "192.168.0.6: > VK38 SETTING CHANGE\n"
            "192.168.0.6: < SETTING CHANGE OK\n"
            "192.168.0.6: > 600 bytes\n"
            "192.168.0.6: < WRITE OK\n");
  EXPECT_TRUE(run.out.starts_with("192.168.0.6: Write OK")) << run.out;

  // A panel that breaks off says how.
  simulator.Panel(kVk1).SetFault("VK38 SETTING REQ", {.resetAfter = 100});
  run = RunVk38({"-v", "setup", "backup", "VK1", "-o", folder});
  EXPECT_EQ(run.err,
            "192.168.0.9: connected\n"
            "192.168.0.9: > VK38 SETTING REQ\n"
            "192.168.0.9: the connection broke\n")
      << run.err;
}

TEST_F(Fleet, EveryChangeCommandTellsWhetherThePanelMayHoldTheChange) {
  const std::string folder = cli_test::FreshFolder("changed");
  cli_test::WriteText(folder + "/t.csv", "CAMERA No,CAMERA Name\nC001,renamed\n");
  const sim::Bytes block = Block(0x21);
  cli_test::WriteText(folder + "/b.v38", std::string(block.begin(), block.end()));
  cli_test::WriteText(folder + "/p.bin", ImageBytes(2000));
  struct Command {
    std::vector<std::string> arguments;
    std::string changeCommand;
    std::uint64_t acceptance;  // the bytes of the panel's acceptance, its extra byte included
    // The words for a change that went out without a verdict: the page's,
    // or vk38's own where the page stays silent.
    std::string lostWords;
    std::string input = "";
  };
  const std::string blockLost = "The block did not reach the panel whole, or no answer came";
  const Command commands[] = {
      {{"table", "set", "VK1", folder + "/t.csv", "--yes"},
       "VK38 IP SETTING CHANGE",
       20,
       blockLost},
      {{"setup", "restore", "VK1", folder + "/b.v38"}, "VK38 SETTING CHANGE", 20, "Write Error!!"},
      // The image's receipt may take a flash write: --max-time bounds the wait.
      {{"--max-time", "3", "upgrade", "VK1", "--program", folder + "/p.bin", "--yes"},
       "VK38 VER UP START",
       18,
       "File Error!!"},
      {{"auth", "set", "VK1", "--old-user", "staff", "--new-user", "keeper", "--password-stdin"},
       "VK38 AUTH SETTING CHANGE",
       20,
       blockLost,
       "48213\ns3cr!t\ns3cr!t\n"},
  };
  for (const Command& command : commands) {
    // Closed before the acceptance: nothing went out; silent or broken
    // after it: the change went out without a verdict; then a good write.
    const std::vector<std::pair<sim::Fault, std::string>> endings = {
        {{.closeAtOnce = true}, "no"},
        {{.silentAfter = command.acceptance}, "maybe"},
        {{.resetAfter = command.acceptance}, "maybe"},
        {{}, "yes"}};
    for (const auto& [fault, changed] : endings) {
      simulator.Panel(kVk1).SetFault(command.changeCommand, fault);
      std::vector<std::string> arguments = {"--json", "--timeout", "1"};
      arguments.insert(arguments.end(), command.arguments.begin(), command.arguments.end());
      const JsonRun parsed = ParseJsonRun(RunVk38(arguments, command.input).out);
      ASSERT_EQ(parsed.byPanel.count("192.168.0.9"), 1u) << command.changeCommand;
      EXPECT_EQ(parsed.byPanel.at("192.168.0.9")["changed"], changed)
          << command.changeCommand << ": " << parsed.byPanel.at("192.168.0.9");
      EXPECT_EQ(parsed.summary["changed"][changed], 1) << command.changeCommand;
      if (fault.silentAfter) {
        EXPECT_EQ(parsed.byPanel.at("192.168.0.9")["message"], command.lostWords)
            << command.changeCommand;
      }
    }
  }

  // The plain line says it, and tells what to do; Ctrl-C keeps what went out.
  simulator.Panel(kVk1).SetFault("VK38 IP SETTING CHANGE", {.silentAfter = 20});
  const auto run = RunVk38({"--timeout", "1", "table", "set", "VK1", folder + "/t.csv", "--yes"});
  EXPECT_NE(
      run.out.find(" [changed: maybe - read the panel back to see whether it holds the "
                   "change]\n1 panel: 0 succeeded, 1 failed; changed: 0 yes, 1 maybe, 0 no\n"),
      std::string::npos)
      << run.out;
  const cli_test::InterruptedRun stopped =
      cli_test::RunVk38AndSignal({"--json", "table", "set", "VK1", folder + "/t.csv", "--yes"},
                                 std::chrono::milliseconds(1000), SIGINT);
  const nlohmann::json outcome = ParseJsonRun(stopped.run.out).byPanel.at("192.168.0.9");
  EXPECT_EQ(outcome["code"], "interrupted");
  EXPECT_EQ(outcome["changed"], "maybe");
  EXPECT_EQ(outcome["cause"],
            "the run was stopped after the change went out, before the panel's verdict");
  // Reading commands change nothing and say null.
  EXPECT_TRUE(ParseJsonRun(RunVk38({"--json", "table", "get", "VK2", "-o", folder + "/g.csv"}).out)
                  .byPanel.at("192.168.0.7")["changed"]
                  .is_null());
}

TEST_F(Fleet, OutputsThatAreNoPlainFileAreWrittenIntoAndFilesKeepTheirLinksAndModes) {
  const std::string folder = cli_test::FreshFolder("outputs");
  // A link to a device: written into, still a link to the device afterwards
  // (the link keeps a fault from ever reaching /dev itself).
  const std::string device = folder + "/null";
  std::filesystem::create_symlink("/dev/null", device);
  auto run = RunVk38({"table", "get", "VK1", "-o", device});
  EXPECT_EQ(run.exitCode, 0) << run.out;
  EXPECT_TRUE(std::filesystem::is_symlink(device));
  EXPECT_TRUE(std::filesystem::is_character_file(device));

  // A pipe: its reader gets the table.
  const std::string fifo = folder + "/pipe";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::string piped;
  std::thread reader([&] { piped = cli_test::ReadText(fifo); });
  run = RunVk38({"table", "get", "VK1", "-o", fifo});
  reader.join();
  EXPECT_EQ(run.exitCode, 0) << run.out;
  EXPECT_TRUE(piped.starts_with("CAMERA No,Group,Type,")) << piped;
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));

  // A link to a file of mode 600: still a link, the file still 600.
  const std::string file = folder + "/vk1.csv", link = folder + "/current.csv";
  cli_test::WriteText(file, "old");
  std::filesystem::permissions(
      file, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  std::filesystem::create_symlink("vk1.csv", link);
  run = RunVk38({"table", "get", "VK1", "-o", link});
  EXPECT_EQ(run.exitCode, 0) << run.out;
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(cli_test::ReadText(file), piped);
  EXPECT_EQ(std::filesystem::status(file).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

  // A trailing slash is a folder for one panel too.
  run = RunVk38({"table", "get", "VK1", "-o", folder + "/tables/"});
  EXPECT_EQ(run.exitCode, 0) << run.out;
  EXPECT_EQ(cli_test::FileNames(folder + "/tables"), std::vector<std::string>{"192.168.0.9.csv"});
  EXPECT_EQ(cli_test::FileNames(folder),
            (std::vector<std::string>{"current.csv", "null", "pipe", "tables", "vk1.csv"}));
}

TEST_F(Fleet, ATableFileIsNeverRestoredAsASetupWhateverItsSum) {
  // A table file whose bytes happen to add up to zero.
  std::string table;
  for (char c = 'a'; c <= 'z' && table.empty(); ++c) {
    for (char d = 'a'; d <= 'z'; ++d) {
      const std::string candidate = std::string("CAMERA No,CAMERA Name\nC001,") + c + d + "\n";
      unsigned sum = 0;
      for (const char byte : candidate) sum += static_cast<unsigned char>(byte);
      if (sum % 256 == 0) {
        table = candidate;
        break;
      }
    }
  }
  ASSERT_FALSE(table.empty());
  const std::string folder = cli_test::FreshFolder("not-a-setup");
  const std::vector<std::pair<std::string, std::string>> files = {
      {"t.csv", table}, {"t.json", "{\"cameras\": []}\n"}, {"notes.txt", "a note\n"}};
  for (const auto& [name, text] : files) {
    cli_test::WriteText(folder + "/" + name, text);
    const auto run = RunVk38({"setup", "restore", "VK1", folder + "/" + name});
    EXPECT_EQ(run.exitCode, 2) << name;
    EXPECT_NE(run.err.find("not a setup block; nothing was sent"), std::string::npos) << run.err;
  }
  EXPECT_TRUE(simulator.Panel(kVk1).Received().empty());
}

TEST_F(Fleet, APanelThatTricklesIsEndedByTheExchangeBoundOrByMaxTime) {
  simulator.Panel(kVk1).SetFault("VK38 IP SETTING REQ", {.trickle = std::chrono::milliseconds(20)});
  simulator.Panel(kVk2).SetLog({.size = 200000, .piece = 4096});
  simulator.Panel(kVk2).SetFault("VK38 LOG REQ", {.trickle = std::chrono::milliseconds(20)});
  const std::string folder = cli_test::FreshFolder("trickle");
  // Records: 4 times --timeout in all.
  auto run =
      RunVk38({"--json", "--timeout", "0.5", "table", "get", "VK1", "-o", folder + "/t.csv"});
  EXPECT_LT(run.took, std::chrono::seconds(4));
  nlohmann::json outcome = ParseJsonRun(run.out).byPanel.at("192.168.0.9");
  EXPECT_EQ(outcome["code"], "timeout");
  EXPECT_EQ(outcome["cause"],
            "the time in all ran out while the camera table came in (an exchange may take 2 s in "
            "all)");
  // A log: --max-time alone.
  run = RunVk38({"--json", "--timeout", "0.5", "--max-time", "1.5", "log", "VK2", "-o", folder});
  EXPECT_LT(run.took, std::chrono::seconds(4));
  outcome = ParseJsonRun(run.out).byPanel.at("192.168.0.7");
  EXPECT_EQ(outcome["code"], "timeout") << outcome;
  EXPECT_TRUE(cli_test::FileNames(folder).empty());
}

TEST_F(Fleet, QuietDropsNotesButNeverResults) {
  const std::string folder = cli_test::FreshFolder("quiet-results");
  cli_test::WriteText(folder + "/t.csv", "CAMERA No,CAMERA Name\nC001,renamed\n");
  const auto run = RunVk38({"-q", "--json", "table", "diff", "VK1", folder + "/t.csv"});
  EXPECT_EQ(run.exitCode, 1) << run.err;
  const nlohmann::json outcome = ParseJsonRun(run.out).byPanel.at("192.168.0.9");
  ASSERT_EQ(outcome["changes"].size(), 1u) << outcome;
  EXPECT_EQ(outcome["changes"][0]["after"], "renamed");
}

TEST_F(Fleet, RetriesNeverRepeatAWriteThatWentOut) {
  const std::string folder = cli_test::FreshFolder("no-repeat");
  const sim::Bytes block = Block(0x21);
  cli_test::WriteText(folder + "/good.v38", std::string(block.begin(), block.end()));
  cli_test::WriteText(folder + "/image.bin", ImageBytes(5000));
  ASSERT_EQ(RunVk38({"table", "get", "VK4", "-o", folder + "/t.csv"}).exitCode, 0);
  simulator.Panel(kVk2).SetFault("VK38 VER UP START", {.closeAtOnce = true});
  simulator.Panel(kVk3).SetFault("VK38 SETTING CHANGE", {.closeAtOnce = true});
  simulator.Panel(kVk4).SetFault("VK38 IP SETTING CHANGE", {.closeAtOnce = true});
  const std::vector<std::pair<std::vector<std::string>, protocol::PanelAddress>> writes = {
      {{"upgrade", "VK2", "--program", folder + "/image.bin"}, kVk2},
      {{"setup", "restore", "VK3", folder + "/good.v38"}, kVk3},
      {{"table", "set", "VK4", folder + "/t.csv", "--yes"}, kVk4},
  };
  for (const auto& [command, panel] : writes) {
    std::vector<std::string> arguments = {"--retries", "3"};
    arguments.insert(arguments.end(), command.begin(), command.end());
    const std::size_t before = simulator.Panel(panel).Received().size();
    const auto run = RunVk38(arguments);
    EXPECT_EQ(run.exitCode, 1) << command[0] << run.out;
    EXPECT_EQ(run.err.find("trying again"), std::string::npos) << run.err;
    // No try again (it would connect once more); table set reads first: that
    // and the one write.
    const std::size_t connections = panel == kVk4 ? 2 : 1;
    EXPECT_EQ(simulator.Panel(panel).Received().size(), before + connections) << command[0];
  }
}

TEST_F(Fleet, ATryAgainIsNotedUnlessQuietAndCtrlCEndsItsPause) {
  const std::string folder = cli_test::FreshFolder("stopped-retries");
  for (const bool quiet : {false, true}) {
    std::vector<std::string> arguments = {"--retries", "5",  "table",          "get",
                                          "VK5",       "-o", folder + "/t.csv"};
    if (quiet) arguments.insert(arguments.begin(), "-q");
    const cli_test::InterruptedRun stopped =
        cli_test::RunVk38AndSignal(arguments, std::chrono::milliseconds(1800), SIGINT);
    EXPECT_EQ(stopped.run.exitCode, 130) << stopped.run.err;
    // In the second pause (2 s from about 1 s on), a moment after vk38 started
    // even on a loaded machine; well before the rest of it would have passed.
    EXPECT_LT(stopped.endedAfterSignal, std::chrono::milliseconds(500));
    EXPECT_NE(stopped.run.out.find("192.168.0.4: FAILED: Interrupted"), std::string::npos)
        << stopped.run.out;
    const std::string notes =
        "vk38: 192.168.0.4: No Connect!! - the panel did not take the connection: nothing "
        "listens there, or no answer within 30 s; trying again in 1 s (1 of 5)\n"
        "vk38: 192.168.0.4: No Connect!! - the panel did not take the connection: nothing "
        "listens there, or no answer within 30 s; trying again in 2 s (2 of 5)\n";
    EXPECT_EQ(stopped.run.err, quiet ? "" : notes);
  }
}

TEST_F(Fleet, ALogTriedAgainLeavesOneWholeFileButOneOnStandardOutputIsNotTriedAgain) {
  simulator.Panel(kVk1).SetLog({.size = 200000, .piece = 4096});
  simulator.Panel(kVk1).SetFault("VK38 LOG REQ", {.resetAfter = 50000});
  // The panel mends once the first try broke off.
  std::thread mend([this] {
    simulator.Panel(kVk1).WaitForConnections(1, std::chrono::seconds(10));
    simulator.Panel(kVk1).ClearFaults();
  });
  const std::string folder = cli_test::FreshFolder("retried-log");
  const auto run = RunVk38({"--retries", "1", "log", "VK1", "-o", folder});
  mend.join();
  EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_NE(run.err.find("trying again in 1 s (1 of 1)"), std::string::npos) << run.err;
  const std::vector<std::string> names = cli_test::FileNames(folder);
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(std::filesystem::file_size(folder + "/" + names[0]), 200000u);
  EXPECT_EQ(simulator.Panel(kVk1).Received().size(), 2u);

  // On standard output what came stays there: a second try would follow it
  // with the log from its start.
  simulator.Panel(kVk1).SetFault("VK38 LOG REQ", {.resetAfter = 50000});
  const auto streamed = RunVk38({"--retries", "2", "log", "VK1", "-o", "-"});
  EXPECT_EQ(streamed.exitCode, 1);
  EXPECT_GT(streamed.out.size(), 0u);
  EXPECT_LE(streamed.out.size(), 50000u);
  EXPECT_EQ(streamed.err.find("trying again"), std::string::npos) << streamed.err;
  EXPECT_EQ(simulator.Panel(kVk1).Received().size(), 3u);
}

TEST_F(Fleet, UsageErrorsHaveCodesOfTheirOwnAndReachNoPanel) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"table", "get", "VK6"},
        {"table", "get", "192.168.0.255"},
        {"table", "get", "VK1", "VK2"},  // two tables need a folder
        {"setup", "backup", "VK1"},      // and so do backups
        {"upgrade", "VK1"},              // which image
        {"upload", "VK1"},
        {"table", "get", "VK1", "VK2", "-o", "-"},  // standard output takes one table
        {"setup", "backup", "VK1", "VK2", "-o", "-"},
        {"--timeout", "nan", "table", "get", "VK1"},
        {"--timeout", "inf", "table", "get", "VK1"},
        {"--timeout", "0", "table", "get", "VK1"},
        {"-q", "-v", "table", "get", "VK1"},  // quiet and verbose at once
        {"--retries", "-1", "table", "get", "VK1"},
        {"table", "get", "@"}}) {
    const auto run = RunVk38(arguments);
    EXPECT_GE(run.exitCode, 100) << arguments[0] << " " << arguments[1];
    EXPECT_EQ(run.out, "");
  }
  EXPECT_TRUE(simulator.Panel(kVk1).Received().empty());
}

TEST_F(Fleet, VersionAndEachCommandsHelpTellWhatTheyTake) {
  const auto version = RunVk38({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_TRUE(std::regex_match(version.out, std::regex("[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+\n")))
      << version.out;

  const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> commands = {
      {{"--help"},
       {"--jobs", "--json", "--timeout", "--version", "--retries", "--quiet", "--verbose",
        "130 stopped", "Standard output"}},
      {{"table", "get", "--help"},
       {"PANEL", "@FILE", "<address>_<name>.csv", "--output", "--format", "Standard output"}},
      {{"table", "set", "--help"}, {"PANEL", "FILE", "--yes", "Standard output"}},
      {{"setup", "backup", "--help"},
       {"PANEL", "@FILE", "<address>_<name>_<YYYYMMDD-HHMMSS>.v38", "--output", "Standard output"}},
      {{"setup", "restore", "--help"}, {"PANEL", "FILE", "Standard output"}},
      {{"log", "--help"}, {"PANEL", "@FILE", "--output", "Standard output"}},
      {{"auth", "set", "--help"},
       {"PANEL", "--old-user", "--new-user", "--password-stdin", "Standard output"}},
      {{"upgrade", "--help"},
       {"PANEL", "@FILE", "--program", "--fpga", "--yes", "Standard output"}},
  };
  for (const auto& [command, words] : commands) {
    const auto help = RunVk38(command);
    EXPECT_EQ(help.exitCode, 0) << command[0];
    for (const std::string& word : words) {
      EXPECT_NE(help.out.find(word), std::string::npos) << command[0] << " lacks " << word;
    }
    // What PANEL may be is told once, in vk38's own help, and referred to.
    EXPECT_NE(help.out.find(command.size() > 1 ? "(see PANEL in vk38 --help)" : "VK1 192.168.0.9"),
              std::string::npos)
        << help.out;
  }
  // Panel names in any case.
  EXPECT_EQ(
      RunVk38({"table", "get", "vk1", "-o", cli_test::FreshFolder("lower") + "/t.csv"}).exitCode,
      0);
}

// scan of a /24 on the loopback: three panels (one camera, three, none),
// a listener that answers as no panel does, one that stays silent, and
// addresses where nothing listens.
TEST_F(Fleet, ScanListsThePanelsOfARangeAsAnInventoryAndSendsNothingButTheRead) {
  const auto at = [](int last) { return setting_test::Ip(127, 0, 5, last); };
  sim::PanelSimulator scanned{network, {at(10), at(20), at(30), at(40), at(50)}};
  const std::map<int, std::pair<int, protocol::PanelAddress>> tables = {
      {10, {1, setting_test::Ip(10, 0, 1, 1)}}, {20, {3, at(21)}}, {30, {0, 0}}};
  for (const auto& [last, table] : tables) {
    protocol::IpSettingRecord record = setting_test::PanelTable();
    for (int c = 0; c < protocol::kCameraCount; ++c) {
      record.CamKind(c) = c < table.first ? protocol::kWireIpDirect : protocol::kWireNoAsign;
    }
    protocol::SetIp(record.SwAddr(), table.second);
    scanned.Panel(at(last)).SetCameraRecord(setting_test::Sealed(record));
  }
  scanned.Panel(at(40)).SetFault(
      "VK38 IP SETTING REQ", {.firstReply = sim::Bytes{'H', 'T', 'T', 'P', '/', '1', '\r', '\n'}});
  scanned.Panel(at(50)).SetFault("VK38 IP SETTING REQ", {.silentAfter = 0});
  std::string error;
  ASSERT_TRUE(scanned.Start(&error)) << error;

  const std::string inventory = cli_test::FreshFolder("scan") + "/found.txt";
  const auto run = RunVk38({"scan", "127.0.5.0/24", "-o", inventory});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const std::string expected =
      "# vk38 scan 127.0.5.0/24: 3 panels in 254 addresses\n"
      "127.0.5.10                # switcher 10.0.1.1, 1 camera\n"
      "127.0.5.20                # switcher 127.0.5.21, 3 cameras\n"
      "127.0.5.30                # switcher 0.0.0.0, 0 cameras\n";
  EXPECT_EQ(run.out, expected);
  EXPECT_EQ(cli_test::ReadText(inventory), expected);
  // The silent listener costs scan's own silence limit, 2 s, not --timeout's 30 s.
  EXPECT_GE(run.took, std::chrono::milliseconds(1900));
  EXPECT_LT(run.took, std::chrono::seconds(15));
  // The two listeners that are no panel are noted; nothing else is.
  EXPECT_NE(run.err.find("vk38: 127.0.5.40: no panel: Bad camera table"), std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("vk38: 127.0.5.50: no panel: "), std::string::npos) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2) << run.err;
  const std::string read = "VK38 IP SETTING REQ\r\n";
  for (int last : {10, 20, 30, 40, 50}) {
    EXPECT_EQ(scanned.Panel(at(last)).Received(),
              std::vector<sim::Bytes>({sim::Bytes(read.begin(), read.end())}))
        << last;
  }
  // The inventory is one to work on, with every panel found.
  const auto get = RunVk38({"table", "get", "@" + inventory, "-o", cli_test::FreshFolder("found")});
  EXPECT_EQ(get.exitCode, 0) << get.err;
  EXPECT_NE(get.out.find("3 panels: 3 succeeded"), std::string::npos) << get.out;

  // --json: the panels found, with the same facts, and what was asked.
  const auto json = RunVk38({"--json", "scan", "127.0.5.5-35", "127.0.5.20"});
  EXPECT_EQ(json.exitCode, 0) << json.err;
  const std::vector<nlohmann::json> lines = JsonLines(json.out);
  ASSERT_EQ(lines.size(), 4u) << json.out;
  EXPECT_EQ(lines[1]["panel"], "127.0.5.20");
  EXPECT_EQ(lines[1]["code"], "ok");
  EXPECT_EQ(lines[1]["switcher"], "127.0.5.21");
  EXPECT_EQ(lines[1]["cameras"], 3);
  EXPECT_EQ(lines[3], nlohmann::json({{"summary", {{"addresses", 31}, {"panels", 3}}}}));

  // Nothing found: exit 1, and the inventory of the last scan stays.
  const auto none = RunVk38({"scan", "127.0.6.0/24", "-o", inventory});
  EXPECT_EQ(none.exitCode, 1);
  EXPECT_EQ(cli_test::ReadText(inventory), expected);
  // More than a /16 in all is refused before any address is asked.
  const auto many = RunVk38({"scan", "127.0.5.0/16", "127.0.5.10", "-o", inventory});
  EXPECT_EQ(many.exitCode, 2);
  EXPECT_EQ(scanned.Panel(at(10)).Received().size(), 3u);
  EXPECT_EQ(cli_test::ReadText(inventory), expected);
}

// --canary and --max-fail: the panels kept from starting are never
// contacted and end not-started; VK5 (192.168.0.4) has no panel.
TEST_F(Fleet, CanariesAndAFailureBoundKeepTheRestFromStarting) {
  struct Case {
    std::vector<std::string> stage;
    std::vector<std::string> panels;
    std::vector<std::string> codes;  // in the order of `panels`
    int exitCode;
  };
  const std::vector<Case> cases = {
      {{"--canary", "2"},
       {"VK5", "VK1", "VK2", "VK3"},
       {"unreachable", "ok", "not-started", "not-started"},
       1},
      {{"--canary", "2"}, {"VK1", "VK2", "VK5", "VK3"}, {"ok", "ok", "unreachable", "ok"}, 1},
      {{"--canary", "3"}, {"VK1", "VK2", "VK3", "VK4"}, {"ok", "ok", "ok", "ok"}, 0},
      {{"--max-fail", "1", "--jobs", "1"},
       {"VK1", "VK5", "VK2", "VK3"},
       {"ok", "unreachable", "not-started", "not-started"},
       1},
  };
  const std::map<std::string, protocol::PanelAddress> addresses = {
      {"VK1", kVk1}, {"VK2", kVk2}, {"VK3", kVk3}, {"VK4", kVk4}, {"VK5", kVk5}};
  for (const Case& c : cases) {
    simulator.Reset();
    std::vector<std::string> arguments = {"--json"};
    arguments.insert(arguments.end(), c.stage.begin(), c.stage.end());
    arguments.insert(arguments.end(), {"table", "get"});
    arguments.insert(arguments.end(), c.panels.begin(), c.panels.end());
    arguments.insert(arguments.end(), {"-o", cli_test::FreshFolder("stages")});
    const auto run = RunVk38(arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.stage[0] << run.err;
    const JsonRun parsed = ParseJsonRun(run.out);
    ASSERT_EQ(parsed.byPanel.size(), c.panels.size()) << run.out;
    for (std::size_t i = 0; i < c.panels.size(); ++i) {
      const nlohmann::json& outcome =
          parsed.byPanel.at(protocol::AddressText(addresses.at(c.panels[i])));
      EXPECT_EQ(outcome["code"], c.codes[i]) << c.stage[0] << " " << outcome;
      if (c.codes[i] == "not-started") {
        EXPECT_TRUE(simulator.Panel(addresses.at(c.panels[i])).Received().empty());
        EXPECT_NE(outcome["cause"].get<std::string>().find(c.stage[0] == "--canary" ? "canary"
                                                                                    : "--max-fail"),
                  std::string::npos)
            << outcome;
      }
    }
    EXPECT_EQ(parsed.summary["not-started"],
              std::count(c.codes.begin(), c.codes.end(), "not-started"));
  }
}

// --failed: the panels that did not succeed, with their names, ready for
// @FILE; a run where every panel succeeded leaves no such file.
TEST_F(Fleet, FailedPanelsAreListedForARerunAndTheListGoesOnceAllSucceed) {
  const std::string folder = cli_test::FreshFolder("failed");
  const std::string inventory = folder + "/fleet.txt";
  const std::string failed = folder + "/failed.txt";
  cli_test::WriteText(inventory, "VK1 left\n192.168.0.4 spare\nVK2 right\n");
  simulator.Panel(kVk2).SetFault("VK38 IP SETTING REQ", {.badChecksum = true});
  auto run =
      RunVk38({"--failed", failed, "table", "get", "@" + inventory, "VK3", "-o", folder + "/t"});
  EXPECT_EQ(run.exitCode, 1) << run.err;
  const std::string listed = cli_test::ReadText(failed);
  EXPECT_TRUE(std::regex_search(listed, std::regex("^192\\.168\\.0\\.4 spare +# unreachable: ")))
      << listed;
  EXPECT_TRUE(std::regex_search(listed, std::regex("\n192\\.168\\.0\\.7 right +# bad-data: ")))
      << listed;
  EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), 2) << listed;

  // The rerun takes the list as it is; VK2 mended, only the spare is left.
  simulator.Panel(kVk2).ClearFaults();
  run = RunVk38({"--json", "--failed", failed, "table", "get", "@" + failed, "-o", folder + "/t"});
  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_EQ(ParseJsonRun(run.out).byPanel.at("192.168.0.7")["name"], "right");
  const std::string left = cli_test::ReadText(failed);
  EXPECT_TRUE(left.starts_with("192.168.0.4 spare ")) << left;
  EXPECT_EQ(std::count(left.begin(), left.end(), '\n'), 1) << left;

  run = RunVk38({"table", "get", "VK1", "VK2", "-o", folder + "/t", "--failed", failed});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_FALSE(std::filesystem::exists(failed));
}

// --retries in the program's own fleet run (RunOnPanels), with a pause that
// records its length and lets the test change the panels instead of
// sleeping.
class Retries : public Fleet {
 protected:
  struct Tried {
    int exitCode = -1;
    nlohmann::json outcome;
    std::vector<std::chrono::milliseconds> pauses;
  };

  // Runs `task` on `panel` with `retries`; `atPause` runs at each pause
  // and says whether the run goes on.
  Tried Try(protocol::PanelAddress panel, int retries, const cli::TargetTask& task,
            const std::function<bool(int pause)>& atPause = {}) {
    Tried tried;
    std::FILE* report = std::tmpfile();
    cli::RunContext context{.machine = machine};
    context.waits.progress = std::chrono::seconds(1);
    context.form = cli::ReportForm::kJson;
    context.report = report;
    context.retries = retries;
    context.pause = [&](std::chrono::milliseconds pause) {
      tried.pauses.push_back(pause);
      return !atPause || atPause(static_cast<int>(tried.pauses.size()));
    };
    tried.exitCode = cli::RunOnPanels(context, {{.address = panel}}, task);
    std::rewind(report);
    char line[4096] = {};
    if (std::fgets(line, sizeof line, report)) tried.outcome = nlohmann::json::parse(line);
    std::fclose(report);
    return tried;
  }

  static cli::PanelOutcome Backup(cli::PanelTarget& target) {
    std::vector<std::uint8_t> block;
    return cli::ReadSetupBlock(target.link, block);
  }
  static cli::PanelOutcome Restore(cli::PanelTarget& target) {
    const sim::Bytes block = Block(0x5A);
    return cli::WriteSetupBlock(target.link, block);
  }
  // A write, then the panel read back (as a verified write does).
  static cli::PanelOutcome RestoreAndReadBack(cli::PanelTarget& target) {
    const cli::PanelOutcome written = Restore(target);
    return written.Ok() ? Backup(target) : written;
  }

  // The command lines `panel` received, one per connection.
  std::vector<std::string> Commands(protocol::PanelAddress panel) {
    std::vector<std::string> lines;
    for (const sim::Bytes& received : simulator.Panel(panel).Received()) {
      const std::string text(received.begin(), received.end());
      lines.push_back(text.substr(0, text.find('\r')));
    }
    return lines;
  }

  platform::SystemFileSystem files;
  cli_test::TestMachine machine{network, files};
};

using std::chrono::seconds;
using Pauses = std::vector<std::chrono::milliseconds>;

TEST_F(Retries, APanelThatTookNoConnectionAtFirstGetsItsWriteOnce) {
  sim::PanelSimulator late{network, {kVk5}};
  const Tried tried = Try(kVk5, 3, Restore, [&](int pause) {
    if (pause == 2) {
      std::string error;
      EXPECT_TRUE(late.Start(&error)) << error;
    }
    return true;
  });
  EXPECT_EQ(tried.exitCode, 0) << tried.outcome;
  EXPECT_EQ(tried.pauses, (Pauses{seconds(1), seconds(2)}));
  EXPECT_EQ(late.Panel(kVk5).SetupBlock(), Block(0x5A));
  EXPECT_EQ(late.Panel(kVk5).Received().size(), 1u);
}

TEST_F(Retries, AReadIsTriedAgainWithGrowingPausesUpToTheirCount) {
  simulator.Panel(kVk1).SetFault("VK38 SETTING REQ", {.closeAtOnce = true});
  Tried tried = Try(kVk1, 5, Backup, [&](int pause) {
    if (pause == 4) simulator.Panel(kVk1).ClearFaults();
    return true;
  });
  EXPECT_EQ(tried.exitCode, 0) << tried.outcome;
  EXPECT_EQ(tried.pauses, (Pauses{seconds(1), seconds(2), seconds(4), seconds(8)}));
  EXPECT_EQ(Commands(kVk1).size(), 5u);

  // A panel that keeps breaking off fails once the tries are used up.
  simulator.Panel(kVk1).SetFault("VK38 SETTING REQ", {.resetAfter = 10});
  tried = Try(kVk1, 2, Backup);
  EXPECT_EQ(tried.exitCode, 1);
  EXPECT_EQ(tried.outcome["code"], "broken") << tried.outcome;
  EXPECT_EQ(tried.pauses, (Pauses{seconds(1), seconds(2)}));
  EXPECT_EQ(Commands(kVk1).size(), 5u + 3u);
}

TEST_F(Retries, NothingButTheNetworkBeforeAWriteIsTriedAgain) {
  struct Case {
    const char* name;
    const char* line;
    sim::Fault fault;
    cli::TargetTask task;
    std::string code;
    std::vector<std::string> commands;  // what the panel received, connection by connection
  };
  const std::vector<Case> cases = {
      {"a write whose command went out",
       "VK38 SETTING CHANGE",
       {.closeAtOnce = true},
       Restore,
       "broken",
       {"VK38 SETTING CHANGE"}},
      {"a write the panel fell silent on",
       "VK38 SETTING CHANGE",
       {.silentAfter = 0},
       Restore,
       "timeout",
       {"VK38 SETTING CHANGE"}},
      {"a read after a write",
       "VK38 SETTING REQ",
       {.closeAtOnce = true},
       RestoreAndReadBack,
       "bad-data",
       {"VK38 SETTING CHANGE", "VK38 SETTING REQ"}},
      {"a refusal",
       "VK38 SETTING CHANGE",
       {.wrongReply = true},
       Restore,
       "refused",
       {"VK38 SETTING CHANGE"}},
      {"bad data",
       "VK38 SETTING REQ",
       {.badChecksum = true},
       Backup,
       "bad-data",
       {"VK38 SETTING REQ"}},
  };
  for (const Case& test : cases) {
    sim::SimulatedPanel& panel = simulator.Panel(kVk1);
    panel.ClearFaults();
    panel.SetFault(test.line, test.fault);
    const std::size_t before = Commands(kVk1).size();
    const Tried tried = Try(kVk1, 3, test.task);
    EXPECT_EQ(tried.outcome["code"], test.code) << test.name << tried.outcome;
    EXPECT_TRUE(tried.pauses.empty()) << test.name;
    EXPECT_TRUE(panel.WaitForConnections(before + test.commands.size(), seconds(5)));
    const std::vector<std::string> received = Commands(kVk1);
    EXPECT_EQ(std::vector<std::string>(received.begin() + static_cast<std::ptrdiff_t>(before),
                                       received.end()),
              test.commands)
        << test.name;
  }
}

TEST_F(Retries, AStopDuringAPauseEndsTheTries) {
  const Tried tried = Try(kVk5, 5, Backup, [&](int) {
    machine.stop.Trigger();
    return false;
  });
  EXPECT_EQ(tried.exitCode, 130);
  EXPECT_EQ(tried.outcome["code"], "interrupted") << tried.outcome;
  EXPECT_EQ(tried.pauses, (Pauses{seconds(1)}));
}

TEST_F(Retries, ABackupTriedAgainLeavesOneWholeFile) {
  simulator.Panel(kVk1).SetFault("VK38 SETTING REQ", {.resetAfter = 300});
  const std::string folder = cli_test::FreshFolder("retried-backup");
  cli::RunContext context{.machine = machine};
  std::FILE* report = std::tmpfile();
  context.report = report;
  context.retries = 2;
  int pauses = 0;
  context.pause = [&](std::chrono::milliseconds) {
    ++pauses;
    simulator.Panel(kVk1).ClearFaults();
    return true;
  };
  EXPECT_EQ(cli::SetupBackup(context, {{.address = kVk1, .name = "left"}}, folder), 0);
  std::fclose(report);
  EXPECT_EQ(pauses, 1);
  const std::vector<std::string> names = cli_test::FileNames(folder);
  ASSERT_EQ(names.size(), 1u);
  EXPECT_TRUE(names[0].starts_with("192.168.0.9_left_") && names[0].ends_with(".v38")) << names[0];
  const sim::Bytes block = Block(static_cast<std::uint8_t>(kVk1));
  EXPECT_EQ(cli_test::ReadText(folder + "/" + names[0]), std::string(block.begin(), block.end()));
}

}  // namespace

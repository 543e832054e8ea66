// table set: the Setting page's SET from a file — the same record back
// when nothing changed, the page's own rules and texts, and nothing sent
// for a file that cannot be read; table diff and --dry-run tell what a file
// would change and write nothing; --strict refuses a duplicate address.
// table assign and table clear: the page's RENEW/KEEP and ALL CLEAR, byte
// for byte on the wire; plans written only to panels that did not change.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <regex>
#include <span>

#include "pages/setting/setting_page_fixture.h"
#include "plans/sha256.h"
#include "protocol/commands.h"
#include "rules/camera_table_edits.h"
#include "spreadsheet_rewrite.h"
#include "vk38_runner.h"

namespace {

using cli_test::RunVk38;
using setting_test::Ip;

class TableSet : public setting_test::SettingPageWithPanel {
 protected:
  // VK1 holds `table`; vk38 saves it to a file that the test may change.
  std::string GetTable(const protocol::IpSettingRecord& table) {
    Vk1().SetCameraRecord(setting_test::Sealed(table));
    const std::string file = cli_test::FreshFolder("table") + "/vk1.csv";
    const auto run = RunVk38({"table", "get", "VK1", "-o", file});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    return file;
  }
};

sim::Bytes BytesOf(const protocol::IpSettingRecord& table) {
  return sim::Bytes(table.bytes.begin(), table.bytes.end());
}

bool InMacField(std::size_t at) {
  const auto in = [at](std::size_t from, std::size_t size) {
    return at >= from && at < from + size;
  };
  return in(protocol::IpSettingRecord::kCamMacAt,
            protocol::kCameraCount * protocol::IpSettingRecord::kMacSize) ||
         in(protocol::IpSettingRecord::kSwMacAt, protocol::IpSettingRecord::kMacSize);
}

TEST_F(TableSet, GetThenSetWritesTheSameRecordApartFromTheMacRule) {
  protocol::IpSettingRecord table = setting_test::PanelTable();
  table.CamKind(1) = protocol::kWireSerial;  // a MAC the rule zeroes, and a firmware question
  table.SetCamName(3, "a,\"b\"");
  table.SwInput(1) = 4;
  const protocol::IpSettingRecord original = setting_test::Sealed(table);
  const std::string file = GetTable(original);
  // The panel now holds another table, which the file must change back.
  Vk1().SetCameraRecord(setting_test::Sealed(setting_test::PanelTable()));
  ASSERT_NE(Vk1().CameraRecord(), BytesOf(original));

  const auto run = RunVk38({"table", "set", "VK1", file, "--yes"});
  ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_EQ(run.out, "192.168.0.9: Write OK (" + file +
                         ") [changed: yes]\n1 panel: 1 succeeded, 0 failed; changed: 1 yes, 0 "
                         "maybe, 0 no\n");
  const sim::Bytes written = Vk1().CameraRecord();
  ASSERT_EQ(written.size(), protocol::IpSettingRecord::kSize);
  for (std::size_t at = 0; at < protocol::IpSettingRecord::kSize; ++at) {
    if (at == protocol::IpSettingRecord::kChecksumAt) continue;
    if (InMacField(at)) {
      EXPECT_TRUE(written[at] == original.bytes[at] || written[at] == 0) << at;
    } else {
      EXPECT_EQ(written[at], original.bytes[at]) << at;
    }
  }
  // The Serial camera's MAC is the one zeroed.
  const auto mac = protocol::IpSettingRecord::kCamMacAt + protocol::IpSettingRecord::kMacSize;
  EXPECT_EQ(sim::Bytes(written.begin() + mac, written.begin() + mac + 6), sim::Bytes(6, 0));
  EXPECT_TRUE(protocol::IsZeroSum(written));
}

TEST_F(TableSet, FirmwareQuestionsWithoutYesStopTheWrite) {
  protocol::IpSettingRecord table = setting_test::PanelTable();
  table.CamKind(0) = protocol::kWireCamDirect;
  const std::string file = GetTable(table);
  const std::size_t connections = Vk1().Received().size();

  const auto run = RunVk38({"table", "set", "VK1", file});
  EXPECT_EQ(run.exitCode, 1);
  ASSERT_FALSE(cli_test::Notices(run.err).empty()) << run.err;
  EXPECT_NE(cli_test::Notices(run.err)[0].find("firmware version"), std::string::npos);
  // The table was read again; nothing was written.
  EXPECT_EQ(Vk1().Received().size(), connections + 1);
}

TEST_F(TableSet, AFileNotUnderstoodIsRefusedWithItsPlaceAndNothingIsSent) {
  const std::string csv = cli_test::ReadText(GetTable(setting_test::PanelTable()));
  const auto edited = [&](const std::string& from, const std::string& to) {
    std::string text = csv;
    return text.replace(text.find(from), from.size(), to);
  };
  const std::vector<std::pair<std::string, std::string>> files = {
      {edited("C002,1,Network,CAM2,", "C002,1,Network,CA\"M2,"), "line 3, column 18: "},
      {edited("IP Address", "IP Adress"), "line 1, column 55: \"IP Adress\" is no column"},
      {edited("C002,1,Network,CAM2,", "C002,1,Network,CAM\xEF\xBF\xBD,"),
       "line 3, column 16: the camera name holds U+FFFD"},
      {"{\"cameras\": [{\"camera\": \"C002\", \"adress\": \"10.0.0.1\"}]}",
       "cameras[0]: \"adress\" is no key of a camera"},
  };
  const std::string file = cli_test::FreshFolder("refused") + "/table";
  const std::size_t connections = Vk1().Received().size();
  for (const auto& [text, error] : files) {
    cli_test::WriteText(file, text);
    const auto run = RunVk38({"table", "set", "VK1", file, "--yes"});
    EXPECT_EQ(run.exitCode, 2) << error;
    EXPECT_NE(run.err.find(error), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(Vk1().Received().size(), connections);
}

TEST_F(TableSet, ANameThatIsNoTextSurvivesASpreadsheetAndTheStandardStreams) {
  protocol::IpSettingRecord table = setting_test::PanelTable();
  table.SetCamName(3,
                   "\xFF\xFE"
                   "cam");
  const protocol::IpSettingRecord original = setting_test::Sealed(table);
  Vk1().SetCameraRecord(original);

  const auto got = RunVk38({"table", "get", "VK1", "-o", "-"});
  ASSERT_EQ(got.exitCode, 0) << got.err;
  EXPECT_EQ(got.err, "192.168.0.9: Read OK\n1 panel: 1 succeeded, 0 failed\n");
  Vk1().SetCameraRecord(setting_test::Sealed(setting_test::PanelTable()));
  const auto set =
      RunVk38({"table", "set", "VK1", "-", "--yes"}, cli_test::SpreadsheetRewrite(got.out, ';'));
  ASSERT_EQ(set.exitCode, 0) << set.err;
  EXPECT_EQ(Vk1().CameraRecord(), sim::Bytes(original.bytes.begin(), original.bytes.end()));

  // An output named *.json is JSON unless --format says otherwise.
  const std::string folder = cli_test::FreshFolder("formats");
  EXPECT_EQ(RunVk38({"table", "get", "VK1", "-o", folder + "/t.json"}).exitCode, 0);
  EXPECT_EQ(cli_test::ReadText(folder + "/t.json").substr(0, 1), "{");
  EXPECT_EQ(RunVk38({"table", "get", "VK1", "-o", folder + "/t.json", "--format", "csv"}).exitCode,
            0);
  EXPECT_EQ(cli_test::ReadText(folder + "/t.json").substr(0, 9), "CAMERA No");
}

TEST_F(TableSet, AddressNoticesNameTheirEntriesAndUnusableAddressesStopTheWrite) {
  protocol::IpSettingRecord table = setting_test::PanelTable();
  protocol::SetIp(table.CamAddr(1), Ip(10, 0, 5, 5));
  protocol::SetIp(table.CamAddr(9), Ip(10, 0, 5, 5));
  protocol::SetIp(table.CamAddr(2), 0);
  protocol::SetIp(table.CamAddr(6), Ip(127, 0, 0, 1));
  protocol::SetIp(table.SwAddr(), Ip(192, 168, 0, 9));
  const std::string file = GetTable(table);
  const sim::Bytes held = Vk1().CameraRecord();

  // The page tells the duplication once per camera; vk38 once, naming
  // both, and leaves the list's CRs off the terminal.
  const setting_test::Texts refused = {"C002 and C010: IP(10.0.5.5) Duplication",
                                       "Unavailable network setting!\n C003/ C007"};
  const auto run = RunVk38({"table", "set", "VK1", file, "--yes"});
  EXPECT_EQ(cli_test::Notices(run.err), refused) << run.err;
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(Vk1().CameraRecord(), held);

  // Usable addresses: the duplication is told, and the table written.
  protocol::SetIp(table.CamAddr(2), Ip(10, 0, 9, 3));
  protocol::SetIp(table.CamAddr(6), Ip(10, 0, 9, 7));
  protocol::SetIp(table.SwAddr(), Ip(10, 0, 9, 100));
  const std::string usable = GetTable(table);
  Vk1().SetCameraRecord(setting_test::Sealed(setting_test::PanelTable()));
  const auto write = RunVk38({"table", "set", "VK1", usable, "--yes"});
  EXPECT_EQ(write.exitCode, 0) << write.err;
  EXPECT_EQ(cli_test::Notices(write.err),
            setting_test::Texts{"C002 and C010: IP(10.0.5.5) Duplication"});
  EXPECT_EQ(write.out.substr(0, write.out.find('\n')),
            "192.168.0.9: Write OK (" + usable + ") [changed: yes]");
  const sim::Bytes written = Vk1().CameraRecord();
  const auto switcher = written.begin() + protocol::IpSettingRecord::kSwAddrAt;
  EXPECT_EQ(sim::Bytes(switcher, switcher + 4), (sim::Bytes{10, 0, 9, 100}));
}

TEST_F(TableSet, DiffTellsExactlyTheFieldsAFileChangesAndWritesNothing) {
  const protocol::IpSettingRecord original = setting_test::Sealed(setting_test::PanelTable());
  const auto same = RunVk38({"table", "diff", "VK1", GetTable(original)});
  EXPECT_EQ(same.exitCode, 0) << same.err;
  EXPECT_EQ(same.out, "192.168.0.9: no changes\n1 panel: 1 succeeded, 0 failed\n");

  // C002's type is what the panel has; C003's new address costs its MAC.
  const std::string file = cli_test::FreshFolder("diff") + "/edit.json";
  cli_test::WriteText(file, R"({"cameras": [
      {"camera": "C002", "type": "Network", "name": "studio"},
      {"camera": "C003", "address": "10.0.3.3"},
      {"camera": "C005", "swInput": "INPUT1"}]})");
  const std::string changes =
      "192.168.0.9: C002 CAMERA Name: \"CAM2\" -> \"studio\"\n"
      "192.168.0.9: C003 MAC Address: 02:38:00:A0:00:02 -> 00:00:00:00:00:00\n"
      "192.168.0.9: C003 IP Address: 10.0.0.3 -> 10.0.3.3\n"
      "192.168.0.9: C005 SW Input: NoAsign -> INPUT1\n"
      "192.168.0.9: 4 changes\n1 panel: 1 succeeded, 0 failed\n";
  for (const auto& command : {std::vector<std::string>{"table", "diff", "VK1", file},
                              std::vector<std::string>{"table", "set", "VK1", file, "--dry-run"}}) {
    const auto run = RunVk38(command);
    EXPECT_EQ(run.exitCode, 1) << command[1] << run.err;
    EXPECT_EQ(run.out, changes) << command[1];
  }
  const auto json = RunVk38({"--json", "table", "diff", "VK1", file});
  EXPECT_EQ(json.exitCode, 1);
  const auto outcome = nlohmann::json::parse(json.out.substr(0, json.out.find('\n')));
  ASSERT_EQ(outcome["changes"].size(), 4u) << outcome;
  EXPECT_EQ(
      outcome["changes"][0],
      nlohmann::json(
          {{"entry", "C002"}, {"field", "CAMERA Name"}, {"before", "CAM2"}, {"after", "studio"}}));
  EXPECT_EQ(outcome["notices"], nlohmann::json::array());
  EXPECT_TRUE(outcome["refusal"].is_null());
  EXPECT_EQ(Vk1().CameraRecord(), BytesOf(original)) << "a diff only reads";

  // A panel that cannot be read is trouble, not a difference.
  const auto unreachable = RunVk38({"table", "diff", "VK5", file});
  EXPECT_EQ(unreachable.exitCode, 2) << unreachable.out;
}

TEST_F(TableSet, StrictRefusesADuplicateAddressThatThePageOnlyReports) {
  const protocol::IpSettingRecord original = setting_test::Sealed(setting_test::PanelTable());
  Vk1().SetCameraRecord(original);
  const std::string file = cli_test::FreshFolder("strict") + "/dup.csv";
  cli_test::WriteText(file, "CAMERA No,IP Address\nC012,10.0.0.11\n");
  const std::string notice = "192.168.0.9: error: C011 and C012: IP(10.0.0.11) Duplication\n";

  const auto strict = RunVk38({"table", "set", "VK1", file, "--strict"});
  EXPECT_EQ(strict.exitCode, 1);
  EXPECT_EQ(strict.err, notice);
  EXPECT_EQ(strict.out.substr(0, strict.out.find('\n')),
            "192.168.0.9: FAILED: not written - --strict: a duplicate address refuses the write "
            "[changed: no]");
  EXPECT_EQ(Vk1().CameraRecord(), BytesOf(original));

  const auto diff = RunVk38({"--json", "table", "diff", "VK1", file, "--strict"});
  EXPECT_EQ(diff.exitCode, 1);
  const auto outcome = nlohmann::json::parse(diff.out.substr(0, diff.out.find('\n')));
  EXPECT_EQ(outcome["notices"], nlohmann::json::parse(R"([{"kind": "error",
      "text": "IP(10.0.0.11) Duplication", "entries": ["C011", "C012"]}])"));
  EXPECT_EQ(outcome["refusal"], "--strict: a duplicate address refuses the write");

  // Without --strict the page's rule holds: told, and written; told with -q too.
  const auto written = RunVk38({"-q", "table", "set", "VK1", file});
  EXPECT_EQ(written.exitCode, 0) << written.out;
  EXPECT_EQ(written.err, notice);
  protocol::IpSettingRecord expected = setting_test::PanelTable();
  protocol::SetIp(expected.CamAddr(11), Ip(10, 0, 0, 11));
  std::fill(expected.CamMac(11).begin(), expected.CamMac(11).end(), 0);
  EXPECT_EQ(Vk1().CameraRecord(), BytesOf(setting_test::Sealed(expected)));

  // The panel's own address: the panel is named, and the page's rule stops the write.
  cli_test::WriteText(file, "CAMERA No,IP Address\nC003,192.168.0.9\n");
  const auto own = RunVk38({"table", "set", "VK1", file});
  EXPECT_EQ(own.exitCode, 1);
  EXPECT_EQ(own.err, "192.168.0.9: error: C003 and the panel: IP(192.168.0.9) Duplication\n");
  EXPECT_EQ(Vk1().CameraRecord(), BytesOf(setting_test::Sealed(expected)));
}

TEST_F(TableSet, VerifyCatchesAPanelThatConfirmsButKeepsItsTable) {
  const protocol::IpSettingRecord original = setting_test::Sealed(setting_test::PanelTable());
  Vk1().SetCameraRecord(original);
  const std::string file = cli_test::FreshFolder("verify") + "/names.csv";
  cli_test::WriteText(file, "CAMERA No,CAMERA Name\nC002,studio\n");
  Vk1().SetFault("VK38 IP SETTING CHANGE", sim::Fault{.keepOld = true});

  const auto kept = RunVk38({"table", "set", "VK1", file, "--verify"});
  EXPECT_EQ(kept.exitCode, 1);
  EXPECT_EQ(kept.out.substr(0, kept.out.find('\n')),
            "192.168.0.9: FAILED: Not verified - the panel answered WRITE OK, but its camera "
            "table differs in 1 field: C002 CAMERA Name (" +
                file + ") [changed: yes]");
  EXPECT_EQ(kept.err, "192.168.0.9: sent, read back: C002 CAMERA Name: \"studio\" -> \"CAM2\"\n");

  Vk1().ClearFaults();
  const auto good = RunVk38({"table", "set", "VK1", file, "--verify"});
  EXPECT_EQ(good.exitCode, 0) << good.out;
  EXPECT_EQ(good.out.substr(0, good.out.find('\n')),
            "192.168.0.9: Write OK - verified: the panel read back what was sent (" + file +
                ") [changed: yes]");
}

// --- table assign, table clear, plans ---------------------------------------

namespace commands = protocol::commands;

std::string WireText(std::string_view text) { return std::string(text); }

class Assign : public TableSet {
 protected:
  // What VK1 received, one string per connection.
  std::vector<std::string> Wire() {
    std::vector<std::string> wire;
    for (const sim::Bytes& bytes : Vk1().Received()) wire.emplace_back(bytes.begin(), bytes.end());
    return wire;
  }
  static nlohmann::json Outcome(const std::string& out) {
    return nlohmann::json::parse(out.substr(0, out.find('\n')));
  }
};

TEST_F(Assign, RenewAndKeepSendTheirStartAndSetAndThePanelAppliesItsProposal) {
  protocol::IpSettingRecord table = setting_test::PanelTable();
  // Two cameras on one address of the panel's network: keep moves the second.
  protocol::SetIp(table.CamAddr(3), Ip(192, 168, 0, 50));
  protocol::SetIp(table.CamAddr(4), Ip(192, 168, 0, 50));
  const struct {
    const char* mode;
    std::string_view start, set;
    std::vector<std::string> notices;
  } cases[] = {
      {"--renew", commands::kRenewStart, commands::kRenewSet, {}},
      {"--keep", commands::kKeepStart, commands::kKeepSet, {"C005"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    Vk1().Reset();
    Vk1().SetCameraRecord(setting_test::Sealed(table));
    const auto run = RunVk38({"--json", "table", "assign", "VK1", c.mode, "--yes"});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(Wire(), (std::vector<std::string>{WireText(commands::kCameraTableRequest),
                                                WireText(c.start), WireText(c.set)}));
    const nlohmann::json outcome = Outcome(run.out);
    EXPECT_EQ(outcome["message"], "Finish!!");
    EXPECT_EQ(outcome["changed"], "yes");
    // The proposal moved the cameras into the panel's network, and the
    // panel now holds it: its addresses are those told.
    ASSERT_FALSE(outcome["changes"].empty()) << outcome;
    protocol::IpSettingRecord held;
    const sim::Bytes now = Vk1().CameraRecord();
    std::copy(now.begin(), now.end(), held.bytes.begin());
    for (const nlohmann::json& change : outcome["changes"]) {
      if (change["field"] != "IP Address" || change["entry"] == "SW") continue;
      const int camera = std::stoi(change["entry"].get<std::string>().substr(1)) - 1;
      EXPECT_EQ(protocol::AddressText(protocol::GetIp(held.CamAddr(camera))), change["after"]);
    }
    std::vector<std::string> flagged;
    for (const nlohmann::json& notice : outcome["notices"]) {
      EXPECT_TRUE(std::regex_match(notice["text"].get<std::string>(),
                                   std::regex(R"(IP\(192\.168\.0\.\d+\) Duplication)")))
          << notice;
      flagged.push_back(notice["entries"][0]);
    }
    EXPECT_EQ(flagged, c.notices);
  }
}

TEST_F(Assign, NothingButTheProposalWithoutAConfirmationAndTheSetsAnswerJudged) {
  Vk1().SetCameraRecord(setting_test::Sealed(setting_test::PanelTable()));
  const std::vector<std::string> proposed = {WireText(commands::kCameraTableRequest),
                                             WireText(commands::kRenewStart)};
  const std::vector<std::string> applied = {WireText(commands::kCameraTableRequest),
                                            WireText(commands::kRenewStart),
                                            WireText(commands::kRenewSet)};
  const struct Case {
    const char* what;
    std::vector<std::string> arguments;
    std::string_view faultOn;
    sim::Fault fault;
    int exitCode;
    std::string code, message;
    std::vector<std::string> wire;
  } cases[] = {
      {"a dry run sends no SET", {"--dry-run"}, {}, {}, 1, "ok", "101 changes", proposed},
      {"no terminal and no --yes: nothing is sent", {}, {}, {}, 2, "", "", {}},
      {"a proposal with a bad sum is never confirmed",
       {"--yes"},
       commands::kRenewStart,
       {.badChecksum = true},
       1,
       "bad-data",
       "",
       proposed},
      {"any answer but SETTING OK",
       {"--yes"},
       commands::kRenewSet,
       {.firstReply = sim::Bytes{'S', 'E', 'T', 'T', 'I', 'N', 'G', ' ', 'N', 'G'}},
       1,
       "refused",
       "Setting Error!!",
       applied},
      {"an answer shorter than SETTING OK",
       {"--yes"},
       commands::kRenewSet,
       {.firstReply = sim::Bytes{'S', 'E', 'T'}},
       1,
       "refused",
       "Setting Error!!",
       applied},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const sim::Bytes record = Vk1().CameraRecord();
    Vk1().Reset();
    Vk1().SetCameraRecord(record);
    if (!c.faultOn.empty()) Vk1().SetFault(WireText(c.faultOn), c.fault);
    std::vector<std::string> arguments = {"--json", "table", "assign", "VK1", "--renew"};
    arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
    const auto run = RunVk38(arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.out << run.err;
    EXPECT_EQ(Wire(), c.wire);
    if (c.code.empty()) continue;
    const nlohmann::json outcome = Outcome(run.out);
    EXPECT_EQ(outcome["code"], c.code) << outcome;
    if (!c.message.empty()) {
      EXPECT_EQ(outcome["message"], c.message) << outcome;
    }
  }
}

TEST_F(Assign, AProposalIsSavedAndConfirmedAtTheTerminal) {
  Vk1().SetCameraRecord(setting_test::Sealed(setting_test::PanelTable()));
  const std::string file = cli_test::FreshFolder("proposal") + "/vk1.json";
  const auto declined = cli_test::RunVk38OnTerminal(
      {"table", "assign", "VK1", "--renew", "-o", file}, "[y/N] ", "n\n");
  EXPECT_EQ(declined.exitCode, 1) << declined.shown;
  EXPECT_NE(declined.shown.find("C001 IP Address: 10.0.0.1 -> 192.168.0.10"), std::string::npos)
      << declined.shown;
  EXPECT_EQ(Wire().size(), 2u);
  // The proposal as table get writes a table: JSON for *.json.
  EXPECT_NE(cli_test::ReadText(file).find("\"192.168.0.10\""), std::string::npos);

  const auto confirmed =
      cli_test::RunVk38OnTerminal({"table", "assign", "VK1", "--renew"}, "[y/N] ", "y\n");
  EXPECT_EQ(confirmed.exitCode, 0) << confirmed.shown;
  EXPECT_EQ(Wire().back(), WireText(commands::kRenewSet));
}

TEST_F(Assign, ClearWritesTheNumberingPlanWithSetsRules) {
  protocol::IpSettingRecord table = setting_test::PanelTable();
  table.CamKind(0) = protocol::kWireSerial;  // keeps its kind, and asks a firmware question
  table.SwInput(2) = 7;                      // survives
  Vk1().SetCameraRecord(setting_test::Sealed(table));
  protocol::IpSettingRecord expected = table;
  rules::ClearToNumberingPlan(expected, setting_test::kVk1);
  protocol::ComputeChecksum(expected);

  const auto dry = RunVk38({"table", "clear", "VK1", "--dry-run"});
  EXPECT_EQ(dry.exitCode, 1) << dry.err;
  EXPECT_NE(dry.out.find("C100 IP Address: 10.0.0.100 -> 192.168.0.109"), std::string::npos);
  EXPECT_EQ(RunVk38({"table", "clear", "VK1"}).exitCode, 2);
  EXPECT_EQ(Wire().size(), 1u);  // the dry run's read alone

  const auto run = RunVk38({"table", "clear", "VK1", "--yes", "--verify"});
  ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
  ASSERT_EQ(Wire().size(), 4u);  // read, write, read back
  EXPECT_EQ(Wire()[2], WireText(commands::kCameraTableChange) + setting_test::AsText(expected));
  EXPECT_EQ(Vk1().CameraRecord(), BytesOf(expected));
}

TEST_F(Assign, APlanIsWrittenAsPlannedAndRefusedOnceThePanelsTableChanged) {
  Vk1().SetCameraRecord(setting_test::Sealed(setting_test::PanelTable()));
  const std::string folder = cli_test::FreshFolder("plans");
  const std::string names = folder + "/names.csv";
  cli_test::WriteText(names, "CAMERA No,CAMERA Name\nC002,studio\n");
  const std::string plan = folder + "/plan.json";
  ASSERT_EQ(RunVk38({"table", "diff", "VK1", names, "--plan", plan}).exitCode, 1);
  const nlohmann::json saved = nlohmann::json::parse(cli_test::ReadText(plan));
  EXPECT_EQ(saved["command"], "table diff");
  EXPECT_EQ(saved["panels"][0]["readSha256"], cli::Sha256Hex(Vk1().CameraRecord()));

  // Unchanged: exactly the planned table goes out.
  const auto run = RunVk38({"--json", "table", "set", "--plan", plan});
  ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
  const std::string table = saved["panels"][0]["table"];
  std::string bytes;
  for (std::size_t i = 0; i < table.size(); i += 2)
    bytes += static_cast<char>(std::stoi(table.substr(i, 2), nullptr, 16));
  EXPECT_EQ(Wire().back(), WireText(commands::kCameraTableChange) + bytes);
  EXPECT_NE(bytes.find("studio"), std::string::npos);

  // The panel's table is now another than the one planned from.
  const std::size_t connections = Wire().size();
  const auto refused = RunVk38({"--json", "table", "set", "--plan", plan});
  EXPECT_EQ(refused.exitCode, 1);
  const nlohmann::json outcome = Outcome(refused.out);
  EXPECT_EQ(outcome["code"], "refused");
  EXPECT_EQ(outcome["cause"], "the panel's table changed since the plan");
  EXPECT_EQ(outcome["changed"], "no");
  EXPECT_EQ(Wire().size(), connections + 1);  // read, never written

  // A file that is no plan reaches no panel.
  cli_test::WriteText(plan, "{\"format\": \"vk38-plan\", \"version\": 1, \"panels\": []}");
  EXPECT_EQ(RunVk38({"table", "set", "--plan", plan}).exitCode, 2);
  EXPECT_EQ(Wire().size(), connections + 1);
}

TEST(PlanDigest, IsSha256OfTheStandardVectors) {
  const auto digest = [](std::string_view text) {
    return cli::Sha256Hex(
        std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  };
  EXPECT_EQ(digest(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(digest("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  // Two blocks, the length in the second.
  EXPECT_EQ(digest("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  EXPECT_EQ(digest(std::string(1000000, 'a')),
            "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

}  // namespace

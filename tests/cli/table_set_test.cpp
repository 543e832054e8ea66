// table set: the Setting page's SET from a file — the same record back
// when nothing changed, the page's own rules and texts, and nothing sent
// for a file that cannot be read.
#include <gtest/gtest.h>

#include "pages/setting/setting_page_fixture.h"
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

  const auto run = RunVk38({"table", "set", "VK1", file, "--yes"});
  ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_EQ(run.out, "192.168.0.9: Write OK (" + file + ")\n1 panel: 1 succeeded, 0 failed\n");
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
  EXPECT_TRUE(protocol::IsChecksumValid(written));
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

TEST_F(TableSet, ThePageAndVk38RefuseATableWithTheSameTexts) {
  protocol::IpSettingRecord table = setting_test::PanelTable();
  protocol::SetIp(table.CamAddr(1), Ip(10, 0, 5, 5));
  protocol::SetIp(table.CamAddr(9), Ip(10, 0, 5, 5));
  protocol::SetIp(table.CamAddr(2), 0);
  protocol::SetIp(table.CamAddr(6), Ip(127, 0, 0, 1));
  protocol::SetIp(table.SwAddr(), Ip(192, 168, 0, 9));
  const std::string file = GetTable(table);

  Load(table);
  const setting_test::Texts pageTexts = Press(IDC_SETTING_SET);
  ASSERT_EQ(pageTexts.size(), 3u);  // two duplicates, then the unusable list stops it
  const auto run = RunVk38({"table", "set", "VK1", file, "--yes"});
  EXPECT_EQ(cli_test::Notices(run.err), pageTexts) << run.err;
  EXPECT_EQ(run.exitCode, 1);

  // And the same table with usable addresses: both write.
  protocol::SetIp(table.CamAddr(2), Ip(10, 0, 9, 3));
  protocol::SetIp(table.CamAddr(6), Ip(10, 0, 9, 7));
  protocol::SetIp(table.SwAddr(), Ip(10, 0, 9, 100));
  const std::string usable = GetTable(table);
  Load(table);
  const setting_test::Texts pageWrite = Press(IDC_SETTING_SET);
  const auto write = RunVk38({"table", "set", "VK1", usable, "--yes"});
  EXPECT_EQ(write.exitCode, 0) << write.err;
  setting_test::Texts cliTexts = cli_test::Notices(write.err);
  cliTexts.push_back(write.out.substr(13, 8));  // "Write OK" after "192.168.0.9: "
  EXPECT_EQ(cliTexts, pageWrite);
}

}  // namespace

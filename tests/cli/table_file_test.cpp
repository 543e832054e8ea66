// The camera table as a file: what table get writes, table set reads back
// to the very same record; what it cannot use is refused with its place.
#include <gtest/gtest.h>

#include <algorithm>
#include <variant>

#include "spreadsheet_rewrite.h"
#include "table_file/table_file.h"

namespace {

using table_file::RowChange;
using table_file::TableFileError;

protocol::PanelAddress Ip(int a, int b, int c, int d) {
  return static_cast<protocol::PanelAddress>((a << 24) | (b << 16) | (c << 8) | d);
}

// A table with every field the page shows carrying something,
// names that need quoting, a camera on two inputs, and reserved bytes set.
protocol::IpSettingRecord BusyTable() {
  protocol::IpSettingRecord table;
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    protocol::SetIp(table.CamAddr(c), Ip(10, 1, c / 50, c + 1));
    protocol::SetHttpPort(table.CamAddr(c), static_cast<std::uint16_t>(80 + c));
    rules::SetCamPageKind(table, c, static_cast<std::uint8_t>(c % 3));
    table.CamMac(c)[5] = static_cast<std::uint8_t>(c);
  }
  rules::SetCamPageKind(table, 1, rules::kPageSerial);
  rules::SetCamPageKind(table, 2, rules::kPageCamDirect);
  table.SetCamName(0, "a,\"b\"");
  table.SetCamName(1, "\"\"");
  table.SetCamName(2, " lead");
  table.SetCamName(3, "12345678");
  table.CamNameField(4)[6] = 0x5A;  // a byte after the NUL that a rewrite would lose
  table.SetCamAlarm(5, protocol::kAlarmFan);
  table.SwInput(0) = 7;
  table.SwInput(2) = 7;
  table.SwInput(4) = 100;
  table.SwKind() = protocol::kSwitcherNetwork;
  protocol::SetIp(table.SwAddr(), Ip(10, 2, 0, 1));
  table.bytes[5] = 0x42;
  table.bytes[3339] = 0x17;
  return table;
}

std::vector<table_file::RowChange> Changes(const table_file::TableFileRead& read) {
  if (const table_file::TableFileError* error = std::get_if<table_file::TableFileError>(&read)) {
    ADD_FAILURE() << table_file::ErrorText(*error);
    return {};
  }
  return std::get<std::vector<table_file::RowChange>>(read);
}

std::string ErrorOf(const std::string& text) {
  const table_file::TableFileRead read = table_file::ReadTableFile(text);
  if (const table_file::TableFileError* error = std::get_if<table_file::TableFileError>(&read))
    return table_file::ErrorText(*error);
  ADD_FAILURE() << "accepted:\n" << text;
  return {};
}

// The CSV of BusyTable with one cell replaced.
std::string CsvWith(const std::string& from, const std::string& to) {
  std::string csv = table_file::TableCsv(BusyTable());
  const std::size_t at = csv.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return csv.replace(at, from.size(), to);
}

TEST(TableFile, WhatGetWritesSetPutsBackByteForByte) {
  const protocol::IpSettingRecord original = BusyTable();
  for (const std::string& text :
       {table_file::TableCsv(original), table_file::TableJson(original)}) {
    protocol::IpSettingRecord table = original;
    table_file::ApplyRowChanges(Changes(table_file::ReadTableFile(text)), table);
    EXPECT_EQ(table, original) << text.substr(0, 200);
  }
}

TEST(TableFile, AFileSetsEveryFieldItCarriesOnABlankTable) {
  const protocol::IpSettingRecord original = BusyTable();
  for (const std::string& text :
       {table_file::TableCsv(original), table_file::TableJson(original)}) {
    protocol::IpSettingRecord table;
    table_file::ApplyRowChanges(Changes(table_file::ReadTableFile(text)), table);
    for (int c = 0; c < protocol::kCameraCount; ++c) {
      EXPECT_EQ(table.CamKind(c), original.CamKind(c)) << c;
      EXPECT_EQ(table.CamName(c), original.CamName(c)) << c;
      EXPECT_TRUE(std::ranges::equal(table.CamAddr(c), original.CamAddr(c))) << c;
    }
    // A camera on several inputs is written on its highest (camera 7 on
    // INPUT3, not INPUT1).
    EXPECT_EQ(std::vector<int>(table.bytes.begin() + protocol::IpSettingRecord::kSwInputAt,
                               table.bytes.begin() + protocol::IpSettingRecord::kSwInputAt + 5),
              (std::vector<int>{0, 0, 7, 0, 100}));
    EXPECT_EQ(table.SwKind(), protocol::kSwitcherNetwork);
    EXPECT_EQ(protocol::GetIp(table.SwAddr()), Ip(10, 2, 0, 1));
  }
}

TEST(TableFile, ChangesReachTheirFieldsAndNothingElse) {
  const std::string csv = CsvWith("C011,3,Network,,NoAsign", "C011,3,IP_Direct,\"x,y\",INPUT2");
  table_file::TableFileRead read = table_file::ReadTableCsv(csv);
  protocol::IpSettingRecord table = BusyTable();
  table_file::ApplyRowChanges(Changes(read), table);

  protocol::IpSettingRecord expected = BusyTable();
  rules::SetCamPageKind(expected, 10, rules::kPageIpDirect);
  expected.SetCamName(10, "x,y");
  // INPUT2 was free; camera 11 now shows on it alone.
  expected.SwInput(1) = 11;
  EXPECT_EQ(table, expected);
}

TEST(TableFile, MovingACameraToAnotherInputReleasesEveryInputItHeld) {
  // Camera 7 shows on inputs 1 and 3 (the page shows INPUT3); moving it to INPUT4.
  protocol::IpSettingRecord table = BusyTable();
  table_file::ApplyRowChanges(Changes(table_file::ReadTableCsv(
                                  CsvWith("C007,2,NoAsign,,INPUT3", "C007,2,NoAsign,,INPUT4"))),
                              table);
  EXPECT_EQ(table.SwInput(0), 0);
  EXPECT_EQ(table.SwInput(2), 0);
  EXPECT_EQ(table.SwInput(3), 7);
  EXPECT_EQ(table.SwInput(4), 100);
}

TEST(TableFile, ValuesThePageCannotHoldAreRefusedWithTheirPlace) {
  // C002 is on line 3; its Type is the third field.
  EXPECT_EQ(ErrorOf(CsvWith("C002,1,Serial", "C002,1,Serial2")),
            "line 3, column 8: \"Serial2\" is not a type this entry can have");
  // Serial only for C001 to C005.
  EXPECT_EQ(ErrorOf(CsvWith("C006,2,IP_Direct", "C006,2,Serial")),
            "line 7, column 8: \"Serial\" is not a type this entry can have");
  EXPECT_EQ(ErrorOf(CsvWith("C004,1,NoAsign,12345678", "C004,1,NoAsign,123456789")),
            "line 5, column 16: a camera name has at most 8 bytes; \"123456789\" has 9");
  EXPECT_EQ(ErrorOf(CsvWith("10.1.0.3,82", "10.1.0.256,82")),
            "line 4, column 53: \"10.1.0.256\" is no address a.b.c.d");
  EXPECT_EQ(ErrorOf(CsvWith("10.1.0.3,82", "10.1.0.3,65536")),
            "line 4, column 62: \"65536\" is no port number 0 to 65535");
  EXPECT_EQ(ErrorOf(CsvWith("C009,2", "C101,2")),
            "line 10, column 1: \"C101\" is no camera (C001 to C100) and not \"SW\"");
  EXPECT_EQ(ErrorOf(CsvWith("C009,2", "C008,2")), "line 10, column 1: C008 appears a second time");
  EXPECT_EQ(ErrorOf(CsvWith("C009,2,IP_Direct,,NoAsign", "C009,2,IP_Direct,,INPUT3")),
            "line 10, column 19: INPUT3 is already given to C007");
  EXPECT_EQ(ErrorOf(CsvWith("SW,,Network", "SW,,IP_Direct")),
            "line 102, column 5: \"IP_Direct\" is not a type this entry can have");
  EXPECT_EQ(ErrorOf(CsvWith("C003,1,CAM_Direct,\" lead\",", "C003,1,CAM_Direct,\" lead\",,")),
            "line 4, column 1: the row has 11 fields, the header 10");
  EXPECT_EQ(ErrorOf("Group,Type\n1,Network\n"),
            "line 1, column 1: the header row has no \"CAMERA No\" column");
}

TEST(TableFile, JsonFaultsAreNamed) {
  EXPECT_EQ(ErrorOf("{\n  \"cameras\": [\n    {\"camera\": \"C001\",, }\n  ]\n}").substr(0, 17),
            "line 3, column 23");
  EXPECT_EQ(ErrorOf("{\"cameras\": [{\"camera\": \"C001\", \"type\": \"Serial\"},"
                    " {\"camera\": \"C010\", \"type\": \"Serial\"}]}"),
            "cameras[1]: \"Serial\" is not a type this entry can have");
  EXPECT_EQ(ErrorOf("{\"cameras\": [{\"camera\": \"C001\", \"httpPort\": -1}]}"),
            "cameras[0]: httpPort is neither text nor a number");
  EXPECT_EQ(ErrorOf("{\"cameras\": [{\"type\": \"Network\"}]}"),
            "cameras[0] has no \"camera\" text");
  // Well-formed, but a number no type can hold: refused, not thrown.
  EXPECT_EQ(ErrorOf("{\"cameras\": 1E99999}").substr(0, 24), "number overflow parsing ");
  // A key given twice would lose the first value without a word.
  EXPECT_EQ(ErrorOf("{\"cameras\": [], \"switcher\": {}, \"cameras\": []}"),
            "\"cameras\" is given twice");
  EXPECT_EQ(ErrorOf("{\"cameras\": [{\"camera\": \"C001\"}, {\"camera\": \"C002\", \"name\": \"a\","
                    " \"name\": \"b\"}]}"),
            "cameras[1]: \"name\" is given twice");
  EXPECT_EQ(ErrorOf("{\"switcher\": {\"type\": \"Network\", \"type\": \"NoAsign\"}}"),
            "switcher: \"type\" is given twice");
}

TEST(TableFile, WhatIsNotUnderstoodIsRefusedWithItsPlaceAndTheKnownNames) {
  const std::string columns =
      "the columns are: CAMERA No, Group, Type, CAMERA Name, SW Input, MAC Address, IP Address, "
      "HTTP Port, CAMERA Select, Alarm";
  const std::string cameraKeys =
      "the keys are: camera, group, type, name, nameBytes, swInput, mac, address, httpPort, "
      "cameraSelect, alarm";
  const std::string lostByte = "holds U+FFFD, the mark a conversion leaves where it lost a byte";
  const std::vector<std::pair<std::string, std::string>> refused = {
      {CsvWith("IP Address", "IP Adress"),
       "line 1, column 55: \"IP Adress\" is no column of the camera table; " + columns},
      {CsvWith("CAMERA Name", "Camera Name"),
       "line 1, column 22: \"Camera Name\" is no column of the camera table; " + columns},
      {"{\"cameras\": [{\"camera\": \"C001\", \"adress\": \"10.0.0.1\"}]}",
       "cameras[0]: \"adress\" is no key of a camera; " + cameraKeys},
      {"\xEF\xBB\xBF {\"camera\": []}",
       "\"camera\" is no key of a table file; the keys are: cameras, switcher"},
      {"{\"switcher\": {\"input\": \"INPUT1\"}}",
       "switcher: \"input\" is no key of the switcher; the keys are: type, mac, address"},
      {"[{\"camera\": \"C001\"}]",
       "line 1, column 1: the document is a list; a table file is an object with \"cameras\" "
       "and \"switcher\""},
      {"{\"cameras\": [{\"camera\": \"C001\", \"name\": \"ab\xEF\xBF\xBD\"}]}",
       "cameras[0]: the camera name " + lostByte},
      {"{\"cameras\": [{\"camera\": \"C001\", \"name\": \"ab\", \"nameBytes\": \"6162\"}]}",
       "cameras[0]: \"name\" and \"nameBytes\" are both given"},
      {CsvWith("C004,1,NoAsign,12345678", "C004,1,NoAsign,ab\xEF\xBF\xBD"),
       "line 5, column 16: the camera name " + lostByte},
      {CsvWith("C004,1,NoAsign,12345678", "C004,1,NoAsign,ab\xFF"),
       "line 5, column 16: the camera name is no valid UTF-8 text"},
      {CsvWith("C004,1,NoAsign,12345678",
               "C004,1,NoAsign,\xC3\x84"
               "BCDEFGH"),
       "line 5, column 16: a camera name has at most 8 bytes; \"\xC3\x84"
       "BCDEFGH\" has 9"},
      {CsvWith("C004,1,NoAsign,12345678", "C004,1,NoAsign,a\\b"),
       "line 5, column 16: a backslash in a camera name begins \\\\ or \\xHH"},
      {std::string("\xFF\xFE"
                   "C\0A\0",
                   6),
       "line 1, column 1: the file is UTF-16 text; save it as CSV in UTF-8"},
  };
  for (const auto& [text, error] : refused) EXPECT_EQ(ErrorOf(text), error) << text;
}

TEST(TableFile, SpreadsheetHabitsAreTakenAsMeant) {
  // Saved with semicolons (or tabs), with rows of nothing but separators.
  for (const char separator : {';', '\t', ','}) {
    std::string saved = cli_test::SpreadsheetRewrite(table_file::TableCsv(BusyTable()), separator);
    const std::string blank = std::string(9, separator) + "\n";
    saved.insert(saved.find("\"C050\""), blank);
    saved += blank + blank;
    protocol::IpSettingRecord table = BusyTable();
    rules::SetCamPageKind(table, 49, rules::kPageNoAsign);
    table_file::ApplyRowChanges(Changes(table_file::ReadTableFile(saved)), table);
    EXPECT_EQ(table, BusyTable()) << separator;
  }
  // A file written with a byte order mark before its JSON.
  EXPECT_EQ(Changes(table_file::ReadTableFile("\xEF\xBB\xBF" + table_file::TableJson(BusyTable())))
                .size(),
            101u);
}

TEST(TableFile, AnEmptyCellLeavesThePanelsValueInEveryColumn) {
  const std::string csv = CsvWith("C011,3,Network,,NoAsign,00:00:00:00:00:0A,10.1.0.11,90",
                                  "C011,3,,,,00:00:00:00:00:0A,,");
  protocol::IpSettingRecord table = BusyTable();
  table.SetCamName(10, "kept");
  const protocol::IpSettingRecord before = table;
  table_file::ApplyRowChanges(Changes(table_file::ReadTableCsv(csv)), table);
  EXPECT_EQ(table, before);
}

TEST(TableFile, NamesThatAreNotTextSurviveASpreadsheetByteForByte) {
  protocol::IpSettingRecord table = BusyTable();
  table.SetCamName(8,
                   "\xFF\xFE"
                   "cam");
  table.SetCamName(9, "=SUM(A1)");
  table.SetCamName(11, "a\\b");
  table.SetCamName(12, "tab\there");
  table.SetCamName(13, "ok\xEF\xBF\xBD");
  const std::string csv = table_file::TableCsv(table);
  EXPECT_NE(csv.find(",\\xff\\xfecam,"), std::string::npos);
  EXPECT_NE(csv.find(",\\x3dSUM(A1),"), std::string::npos);  // never a formula
  // CSV through a UTF-8 spreadsheet, and JSON as the hex of the bytes: both put them back.
  for (const std::string& text :
       {cli_test::SpreadsheetRewrite(csv, ';'), table_file::TableJson(table)}) {
    protocol::IpSettingRecord back = BusyTable();
    table_file::ApplyRowChanges(Changes(table_file::ReadTableFile(text)), back);
    EXPECT_EQ(back, table) << text.substr(0, 40);
  }
  EXPECT_NE(table_file::TableJson(table).find("\"nameBytes\": \"fffe63616d\""), std::string::npos);
}

TEST(TableFile, RowsShowThePagesWords) {
  const auto rows = table_file::TableRows(BusyTable());
  ASSERT_EQ(rows.size(), 101u);
  EXPECT_EQ(rows[1][2], "Serial");
  EXPECT_EQ(rows[1][8], "No");  // Serial cameras take no part in CAMERA Select
  EXPECT_EQ(rows[0][8], "Yes");
  EXPECT_EQ(rows[6][4], "INPUT3");  // the highest input showing camera 7
  EXPECT_EQ(rows[99][4], "INPUT5");
  EXPECT_EQ(rows[5][9], "FAN");
  EXPECT_EQ(rows[6][9], "");  // no alarm: blanks, shown without them
  EXPECT_EQ(rows[100][0], "SW");
  EXPECT_EQ(rows[100][2], "Network");
}

}  // namespace

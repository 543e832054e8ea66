// vk38's camera table files: arbitrary bytes as a CSV or JSON file. A file
// that is refused says why (and where, within the text), and a caption or
// key it does not know is refused with the names it does know; a file that
// is accepted applies to the panel's table, writes itself back as the same
// table (in CSV also through a spreadsheet that saves it as UTF-8 with
// semicolons), means the same once a spreadsheet saved it, and gives a
// table that the write rules accept or refuse with their own texts — never
// an unchecked record on the wire. A JSON file that gives a key twice in one
// object is never accepted: one of the two values would vanish unseen.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/spreadsheet_rewrite.h"
#include "fuzz_check.h"
#include "protocol/ip_setting_record.h"
#include "rules/camera_table_write.h"
#include "sim/default_camera_table.h"
#include "table_file/table_file.h"

namespace {

constexpr protocol::PanelAddress kPanel = 0xC0A80009;

int LineCount(std::string_view text) {
  return 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// The panel's own table.
protocol::IpSettingRecord PanelTable() { return sim::DefaultCameraTable(kPanel); }

bool IsWriteNotice(const rules::WriteNotice& notice) {
  if (notice.kind == rules::WriteNotice::Kind::kWarning) {
    return notice.text.starts_with("Unavailable network setting!\r\n");
  }
  return notice.text.starts_with("IP(") && notice.text.ends_with(") Duplication");
}

// Counts the keys given twice in one object, read event by event.
class TwiceGivenKeys : public nlohmann::json_sax<nlohmann::json> {
 public:
  int count = 0;

  bool key(string_t& name) override {
    if (!open_.empty() && !open_.back().insert(name).second) ++count;
    return true;
  }
  bool start_object(std::size_t) override {
    open_.emplace_back();
    return true;
  }
  bool end_object() override {
    open_.pop_back();
    return true;
  }
  bool null() override { return true; }
  bool boolean(bool) override { return true; }
  bool number_integer(number_integer_t) override { return true; }
  bool number_unsigned(number_unsigned_t) override { return true; }
  bool number_float(number_float_t, const string_t&) override { return true; }
  bool string(string_t&) override { return true; }
  bool binary(binary_t&) override { return true; }
  bool start_array(std::size_t) override { return true; }
  bool end_array() override { return true; }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
    return false;
  }

 private:
  std::vector<std::set<std::string>> open_;
};

void CheckRefusal(std::string_view text, const table_file::TableFileError& error) {
  FUZZ_REQUIRE(!error.message.empty());
  FUZZ_REQUIRE(!table_file::ErrorText(error).empty());
  if (error.at) {
    FUZZ_REQUIRE(error.at->line >= 1 && error.at->line <= LineCount(text));
    FUZZ_REQUIRE(error.at->column >= 1);
  }
}

// The table `changes` make of the panel's own.
protocol::IpSettingRecord Applied(const table_file::TableFileRead& read) {
  protocol::IpSettingRecord table = PanelTable();
  FUZZ_REQUIRE(std::holds_alternative<std::vector<table_file::RowChange>>(read));
  table_file::ApplyRowChanges(std::get<std::vector<table_file::RowChange>>(read), table);
  return table;
}

void CheckAccepted(std::string_view text, const std::vector<table_file::RowChange>& changes) {
  if (table_file::LooksLikeJson(text)) {
    TwiceGivenKeys keys;
    nlohmann::json::sax_parse(text, &keys, nlohmann::json::input_format_t::json, false);
    FUZZ_REQUIRE(keys.count == 0);
  }
  const protocol::IpSettingRecord before = PanelTable();
  protocol::IpSettingRecord table = before;
  table_file::ApplyRowChanges(changes, table);

  // What the file set, written out in either form, sets the same again;
  // names that are no text survive a spreadsheet's UTF-8 too.
  const std::string csv = table_file::TableCsv(table);
  for (const std::string& written :
       {csv, table_file::TableJson(table), cli_test::SpreadsheetRewrite(csv, ';')}) {
    FUZZ_REQUIRE(Applied(table_file::ReadTableFile(written)) == table);
  }
  // A CSV file means the same once a spreadsheet saved it.
  if (!table_file::LooksLikeJson(text)) {
    FUZZ_REQUIRE(Applied(table_file::ReadTableFile(cli_test::SpreadsheetRewrite(text, ';'))) ==
                 table);
  }

  // The write rules decide with their own texts; a table they let through
  // leaves prepared with a zero sum.
  const rules::AddressCheck check = rules::CheckAddresses(table, kPanel);
  FUZZ_REQUIRE(std::all_of(check.notices.begin(), check.notices.end(), IsWriteNotice));
  if (!check.proceeds) return;
  protocol::IpSettingRecord prepared =
      rules::PrepareForWrite(table, rules::CameraAddresses(before), rules::SwitcherAddress(before));
  FUZZ_REQUIRE(rules::FirmwareQuestions(prepared).size() <= 2);
  protocol::ComputeChecksum(prepared);
  FUZZ_REQUIRE(protocol::IsZeroSum(prepared.bytes));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const table_file::TableFileRead read = table_file::ReadTableFile(text);
  if (const auto* error = std::get_if<table_file::TableFileError>(&read)) {
    CheckRefusal(text, *error);
  } else {
    CheckAccepted(text, std::get<std::vector<table_file::RowChange>>(read));
  }
  return 0;
}

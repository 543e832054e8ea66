#include "commands/table/table_output.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace cli {

namespace {

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() &&
         std::equal(end.rbegin(), end.rend(), text.rbegin(),
                    [](char a, char b) { return std::tolower(a) == std::tolower(b); });
}

}  // namespace

table_file::TableFormat ChosenFormat(const std::optional<std::string>& format,
                                     const std::string& file) {
  if (format)
    return *format == "json" ? table_file::TableFormat::kJson : table_file::TableFormat::kCsv;
  return EndsWith(file, ".json") ? table_file::TableFormat::kJson : table_file::TableFormat::kCsv;
}

std::string TableText(const protocol::IpSettingRecord& table, table_file::TableFormat format) {
  return format == table_file::TableFormat::kCsv ? table_file::TableCsv(table)
                                                 : table_file::TableJson(table);
}

}  // namespace cli

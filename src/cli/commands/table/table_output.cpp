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

TableFormat ChosenFormat(const std::optional<std::string>& format, const std::string& file) {
  if (format) return *format == "json" ? TableFormat::kJson : TableFormat::kCsv;
  return EndsWith(file, ".json") ? TableFormat::kJson : TableFormat::kCsv;
}

std::string TableText(const protocol::IpSettingRecord& table, TableFormat format) {
  return format == TableFormat::kCsv ? TableCsv(table) : TableJson(table);
}

}  // namespace cli

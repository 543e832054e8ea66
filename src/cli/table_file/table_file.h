// The camera table as a file: CSV with a header row (the Setting page's
// column captions) or JSON, written from a table and read back as the
// changes it asks for.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "protocol/ip_setting_record.h"
#include "table_file/table_rows.h"

namespace table_file {

enum class TableFormat { kCsv, kJson };

std::string TableCsv(const protocol::IpSettingRecord& table);
std::string TableJson(const protocol::IpSettingRecord& table);

using TableFileRead = std::variant<std::vector<RowChange>, TableFileError>;
// The columns may come in any order; the header must name "CAMERA No",
// no column twice and none that the table does not have. Columns that a
// file does not set are not checked; rows of nothing but separators are
// passed over. Camera names in the form of camera_name.h.
TableFileRead ReadTableCsv(std::string_view text);
// {"cameras": [{"camera": "C001", "type": ..., "name": ..., "swInput": ...,
// "address": ..., "httpPort": ...}, ...], "switcher": {"type": ..., "address": ...}},
// with no key that table get does not write.
TableFileRead ReadTableJson(std::string_view text);
// True when the text begins (after a byte order mark and blanks) with "{"
// or "[": a table file is JSON then, and CSV otherwise.
bool LooksLikeJson(std::string_view text);
TableFileRead ReadTableFile(std::string_view text);

}  // namespace table_file

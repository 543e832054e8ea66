// Camera tables saved as table files: the format -o and --format choose,
// and the file's text.
#pragma once

#include <optional>
#include <string>

#include "protocol/ip_setting_record.h"
#include "table_file/table_file.h"

namespace cli {

// --format when given, else JSON for a file named *.json, else CSV.
table_file::TableFormat ChosenFormat(const std::optional<std::string>& format,
                                     const std::string& file);

std::string TableText(const protocol::IpSettingRecord& table, table_file::TableFormat format);

}  // namespace cli

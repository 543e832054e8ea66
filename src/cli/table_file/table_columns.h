// The columns of a table file, for the CSV and JSON forms alike: their
// order, their JSON keys, and which of them a file sets (and how each is
// read).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "table_file/table_rows.h"

namespace table_file {

enum Column { kNo, kGroup, kType, kName, kInput, kMac, kAddress, kPort, kSelect, kAlarm };

// JSON keys, in column order.
inline constexpr std::array<std::string_view, kTableColumns.size()> kJsonKeys = {
    "camera", "group",   "type",     "name",         "swInput",
    "mac",    "address", "httpPort", "cameraSelect", "alarm"};

// A camera name that is not plain text travels in JSON as the hex of its
// bytes under this key, so that get then set writes back the same bytes.
inline constexpr std::string_view kNameBytesKey = "nameBytes";

using CellReader = bool (RowReader::*)(std::string_view, std::optional<TextPosition>);
struct SetColumn {
  Column column;
  CellReader read;
};
// The columns a file sets, in the order they are read.
inline constexpr std::array<SetColumn, 5> kSetColumns = {{{kType, &RowReader::Type},
                                                          {kName, &RowReader::Name},
                                                          {kInput, &RowReader::SwInput},
                                                          {kAddress, &RowReader::Address},
                                                          {kPort, &RowReader::Port}}};

// "a, b, c": names for a message that lists what is known.
template <typename Names>
std::string NameList(const Names& names) {
  std::string list;
  for (const auto& name : names) {
    if (!list.empty()) list += ", ";
    list += name;
  }
  return list;
}

}  // namespace table_file

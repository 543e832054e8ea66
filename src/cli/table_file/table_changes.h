// How two camera tables differ in the fields a write sets, in the Setting
// page's words: what table diff shows a file would change, and what a
// verified write finds the panel holds otherwise than was sent.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "protocol/ip_setting_record.h"

namespace table_file {

// One field of one entry, before and after.
struct FieldChange {
  std::string entry;       // "C001" to "C100", or "SW"
  std::string_view field;  // its column caption: "Type", "CAMERA Name", "IP Address", ...
  std::string before;      // words as table get writes them; a name as the panel keeps it
  std::string after;
};

// The fields that differ, camera by camera and then the switcher: Type,
// CAMERA Name, SW Input, MAC Address, IP Address and HTTP Port.
std::vector<FieldChange> TableChanges(const protocol::IpSettingRecord& before,
                                      const protocol::IpSettingRecord& after);

// "C011 CAMERA Name: \"CAM11\" -> \"studio\"", "C012 IP Address: 10.0.0.12 -> 10.0.0.13".
std::string ChangeLine(const FieldChange& change);
// [{"entry": "C011", "field": "CAMERA Name", "before": "CAM11", "after": "studio"}, ...],
// with keys of the caller's for before and after; a name that is no plain
// text as the hex of its bytes under the key + "Bytes", as table get does.
nlohmann::ordered_json ChangesJson(const std::vector<FieldChange>& changes,
                                   std::string_view beforeKey = "before",
                                   std::string_view afterKey = "after");

}  // namespace table_file

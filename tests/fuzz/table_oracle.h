// What the Setting page must show and hold, worked out from the record's
// bytes at their literal offsets with texts written out here, apart from the
// accessors and text helpers the page uses: a fault in those shared helpers
// then fails the fuzz targets instead of agreeing with itself.
#pragma once

#include <string>

#include "protocol/ip_setting_record.h"

namespace fuzz::oracle {

// The table after a REFRESH that received `received`: the record when it is
// 3342 bytes whose sum is 0; else `before`.
protocol::IpSettingRecord TableAfterRead(const protocol::IpSettingRecord& before,
                                         const std::string& received);

// The Type list item camera c's type byte stands for (any other byte value
// as it is).
int TypeItem(const protocol::IpSettingRecord& table, int c);

// The texts of camera c's row.
std::string NameText(const protocol::IpSettingRecord& table, int c);
std::string AlarmText(const protocol::IpSettingRecord& table, int c);
std::string MacText(const protocol::IpSettingRecord& table, int c);
std::string PortText(const protocol::IpSettingRecord& table, int c);
// The switcher row's MAC Address.
std::string SwitcherMacText(const protocol::IpSettingRecord& table);

}  // namespace fuzz::oracle

// The texts in which the Setting page and vk38 show a camera table's
// entries: MAC addresses, alarms, camera and group labels.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "protocol/ip_setting_record.h"

namespace rules {

// "%02X:%02X:%02X:%02X:%02X:%02X".
std::string MacText(protocol::ConstMacField mac);

// The Alarm column's text for a camera's name and alarm code.
std::string AlarmText(std::string_view name, std::uint16_t code);
std::string AlarmText(const protocol::IpSettingRecord& record, int c);

// "C001" to "C100" for c = 0 to 99; "1" to "20" for g = 0 to 19. Built once.
const std::string& CameraLabel(int c);
const std::string& GroupLabel(int g);

}  // namespace rules

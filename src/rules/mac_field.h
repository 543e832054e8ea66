// What the rules do to a MAC field: the write's MAC rule and ALL CLEAR both
// leave one without an address.
#pragma once

#include <algorithm>
#include <cstdint>

#include "protocol/ip_setting_record.h"

namespace rules {

inline void ClearMac(protocol::MacField mac) { std::fill(mac.begin(), mac.end(), std::uint8_t{0}); }

}  // namespace rules

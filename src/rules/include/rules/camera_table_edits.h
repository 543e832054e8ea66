// Edits of a camera table that the Setting page makes and vk38 may make
// too, each decided here once.
#pragma once

#include "protocol/ip_setting_record.h"

namespace rules {

// ALL CLEAR's numbering plan, counted from the panel's own address: no MAC
// addresses; camera n on the n-th address after the panel's (254 is
// followed by 1); Network and IP_Direct cameras become NoAsign while Serial
// and CAM_Direct ones keep their type; the switcher NoAsign, on the address
// just below the panel's. Everything else stays. The table holds page codes.
void ClearToNumberingPlan(IpSettingRecord& table, PanelAddress panel);

}  // namespace rules

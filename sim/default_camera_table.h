// A panel's factory camera table: a realistic, deterministic record that
// differs from panel to panel, in wire codes with a valid zero sum.
#pragma once

#include "protocol/ip_setting_record.h"
#include "protocol/panel_address.h"

namespace sim {

protocol::IpSettingRecord DefaultCameraTable(protocol::PanelAddress panel);

}  // namespace sim

// What scan tells of each panel it found: its switcher's address and how
// many cameras its table uses, in the inventory's comments and in --json.
#pragma once

#include <string>
#include <vector>

#include "protocol/ip_setting_record.h"
#include "run/panel_outcome.h"

namespace cli {

// How many of the table's cameras have a type other than NoAsign.
int CamerasInUse(const protocol::IpSettingRecord& table);

// `read` (the table read's outcome) with the switcher's address and the
// cameras in use as its "switcher" and "cameras" members.
PanelOutcome Found(PanelOutcome read, const protocol::IpSettingRecord& table);

// The inventory of the panels found (the outcomes that succeeded), one a
// line in the order given, under a comment line `heading`.
std::string FoundInventory(const std::string& heading, const std::vector<PanelOutcome>& outcomes);

}  // namespace cli

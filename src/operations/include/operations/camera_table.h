// The camera table between panel and tool: reading it (REFRESH, and CANCEL
// of an address assignment), the panel's own address assignment (RENEW and
// KEEP: a proposal, then its confirmation), and writing a prepared table.
#pragma once

#include "operations/outcome.h"
#include "protocol/ip_setting_record.h"
#include "protocol/panel_link.h"

namespace operations {

// The panel answers with the record alone and closes. `table` takes it only
// when it is whole with a good sum (done); anything else (kBadData) leaves `table` as it was.
Outcome ReadCameraTable(const protocol::PanelLink& link, protocol::IpSettingRecord& table);

// The panel proposes the addresses itself: renew numbers the cameras anew,
// keep holds on to the addresses they have.
enum class Assignment { kRenew, kKeep };

// Asks for a proposal (again, with `retry`, while one is shown); it comes as
// a whole record, taken into `proposal` as ReadCameraTable takes a table.
Outcome ProposeAssignment(const protocol::PanelLink& link, Assignment assignment, bool retry,
                          protocol::IpSettingRecord& proposal);
// Tells the panel to apply its proposal; done when it answers "SETTING OK"
// before it closes, kNotWritten on any other answer (none included).
Outcome ConfirmAssignment(const protocol::PanelLink& link, Assignment assignment);

// Writes a table prepared for the wire (wire type codes and its sum).
Outcome WriteCameraTable(const protocol::PanelLink& link,
                         const protocol::IpSettingRecord& prepared);

}  // namespace operations

// How a simulated panel proposes camera addresses for a renew or keep
// assignment. Only networked entries (Network and IP_Direct cameras, a
// Network switcher) take part; the proposal keeps the panel's network
// (its first three octets) and never uses the panel's own address.
//   renew: every networked entry gets a fresh address, counting up from
//          the panel's own (254 is followed by 1);
//   keep:  an entry keeps a usable address of the panel's network that no
//          earlier entry holds; the others move to free addresses, and an
//          entry whose address collided carries the duplicate flag.
// An address of the panel's network that an entry outside the assignment
// holds is never handed out. Moved entries carry the highlight flag. The proposal has a valid zero
// sum.
#pragma once

#include "protocol/ip_setting_record.h"
#include "protocol/panel_address.h"

namespace sim {

enum class AssignMode { kRenew, kKeep };

// `table` holds wire codes; so does the proposal.
protocol::IpSettingRecord ProposeAssignment(const protocol::IpSettingRecord& table,
                                            protocol::PanelAddress panel, AssignMode mode);

// The table a panel keeps once a proposal is confirmed: the proposal
// without its highlight and duplicate flags.
protocol::IpSettingRecord SettledTable(const protocol::IpSettingRecord& proposal);

}  // namespace sim

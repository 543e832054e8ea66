// What a page needs to reach the chosen panel: the network, the panel
// address book whose current address every session connects to, and how
// long a session waits for the panel.
#pragma once

#include "platform/network.h"
#include "protocol/panel_address_book.h"
#include "protocol/panel_wait_limits.h"

namespace protocol {

struct PanelLink {
  platform::Network& network;
  PanelAddressBook& panels;
  PanelWaitLimits waits{};
};

}  // namespace protocol

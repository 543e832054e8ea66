// What a page needs to reach the chosen panel: the network, the panel
// address book whose current address every session connects to, how long
// a session waits for the panel, and who watches its steps (nobody for the
// pages).
#pragma once

#include "platform/network.h"
#include "protocol/panel_address_book.h"
#include "protocol/panel_wait_limits.h"
#include "protocol/session_steps.h"

namespace protocol {

struct PanelLink {
  platform::Network& network;
  PanelAddressBook& panels;
  PanelWaitLimits waits{};
  SessionObserver* observer = nullptr;
};

}  // namespace protocol

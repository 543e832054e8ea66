// What an exchange needs to reach a panel: the network, the panel's
// address, how long a session waits for the panel, and who watches its
// steps (nobody for the pages).
#pragma once

#include "platform/network.h"
#include "protocol/panel_address.h"
#include "protocol/panel_wait_limits.h"
#include "protocol/session_steps.h"

namespace protocol {

struct PanelLink {
  platform::Network& network;
  PanelAddress address;
  PanelWaitLimits waits{};
  SessionObserver* observer = nullptr;
};

}  // namespace protocol

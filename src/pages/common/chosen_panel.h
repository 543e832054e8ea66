// The panel every exchange of every page goes to: the address list's
// current panel at the moment the exchange begins.
#pragma once

#include "platform/network.h"
#include "protocol/panel_link.h"
#include "protocol/panel_wait_limits.h"
#include "rules/panel_address_book.h"

struct ChosenPanel {
  platform::Network& network;
  rules::PanelAddressBook& panels;
  protocol::PanelWaitLimits waits{};

  // A link to the current panel, for one operation.
  protocol::PanelLink Link() const { return {network, panels.Current(), waits}; }
};

// What a page needs to reach the chosen panel: the network and the panel
// address book whose current address every session connects to.
#pragma once

#include "platform/network.h"
#include "protocol/panel_address_book.h"

struct PanelLink {
  platform::Network& network;
  PanelAddressBook& panels;
};

// What a page needs to reach the chosen panel: the network and the panel
// address book whose current address every session connects to.
#pragma once

#include "link/panel_address_book.h"
#include "platform/network.h"

struct PanelLink {
  platform::Network& network;
  PanelAddressBook& panels;
};

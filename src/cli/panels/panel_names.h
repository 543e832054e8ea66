// PANEL on the command line: a dotted address ("192.168.0.9") or one of the
// program's panel names, VK1 to VK5 in any case, which stand for its
// built-in addresses; and a panel as vk38 works on it, with the name an
// inventory may give it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/panel_address.h"

namespace cli {

struct Panel {
  protocol::PanelAddress address = 0;
  std::string name{};  // the operator's name for it, from an inventory; empty when none
};

// "192.168.0.21 studio-a-left", or the address alone.
std::string PanelText(const Panel& panel);

// The address, or nothing when `text` is neither form or names an address
// that no panel can have (IsValidPanelAddress).
std::optional<protocol::PanelAddress> ResolvePanel(std::string_view text);

// The program's panel names and the addresses they stand for, VK1 first.
struct NamedPanel {
  std::string name;
  protocol::PanelAddress address = 0;
};
std::vector<NamedPanel> NamedPanels();

// "VK1 192.168.0.9, VK2 192.168.0.7, ...", for the help.
std::string PanelNamesText();

}  // namespace cli

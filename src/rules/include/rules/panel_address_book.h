// The panel address list (VK1 to VK5) and the current panel address, the
// one address every exchange of every page connects to. Both live in memory
// only; every start begins with the built-in values.
#pragma once

#include <array>
#include <string>

#include "protocol/panel_address.h"

namespace rules {

class PanelAddressBook {
 public:
  protocol::PanelAddress Entry(int index) const { return entries_.at(index); }
  void SetEntry(int index, protocol::PanelAddress address) { entries_.at(index) = address; }

  protocol::PanelAddress Current() const { return current_; }
  void SetCurrent(protocol::PanelAddress address) { current_ = address; }

  // The panel selector's text for an entry, "VK1(192.168.0.9)".
  std::string SelectorText(int index) const;

 private:
  std::array<protocol::PanelAddress, protocol::kPanelCount> entries_ = protocol::kBuiltInPanels;
  protocol::PanelAddress current_ = protocol::kBuiltInPanels[0];
};

}  // namespace rules

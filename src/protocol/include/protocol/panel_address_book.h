// The panel address list (VK1 to VK5) and the current panel address, the
// one address every exchange of every page connects to. Both live in memory
// only; every start begins with the built-in values.
#pragma once

#include <array>
#include <string>

#include "protocol/panel_address.h"

namespace protocol {

class PanelAddressBook {
 public:
  static constexpr int kPanelCount = 5;
  static constexpr std::array<PanelAddress, kPanelCount> kBuiltIn = {
      0xC0A80009,  // VK1 192.168.0.9
      0xC0A80007,  // VK2 192.168.0.7
      0xC0A80006,  // VK3 192.168.0.6
      0xC0A80005,  // VK4 192.168.0.5
      0xC0A80004,  // VK5 192.168.0.4
  };

  PanelAddress Entry(int index) const { return entries_.at(index); }
  void SetEntry(int index, PanelAddress address) { entries_.at(index) = address; }

  PanelAddress Current() const { return current_; }
  void SetCurrent(PanelAddress address) { current_ = address; }

  // The panel selector's text for an entry, "VK1(192.168.0.9)".
  std::string SelectorText(int index) const;

 private:
  std::array<PanelAddress, kPanelCount> entries_ = kBuiltIn;
  PanelAddress current_ = kBuiltIn[0];
};

}  // namespace protocol

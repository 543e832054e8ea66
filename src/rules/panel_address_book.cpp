#include "rules/panel_address_book.h"

namespace rules {

std::string PanelAddressBook::SelectorText(int index) const {
  return "VK" + std::to_string(index + 1) + "(" + protocol::AddressText(Entry(index)) + ")";
}

}  // namespace rules

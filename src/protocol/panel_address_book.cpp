#include "protocol/panel_address_book.h"

namespace protocol {

std::string PanelAddressBook::SelectorText(int index) const {
  return "VK" + std::to_string(index + 1) + "(" + AddressText(Entry(index)) + ")";
}

}  // namespace protocol

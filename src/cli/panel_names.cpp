#include "cli/panel_names.h"

#include "protocol/panel_address_book.h"

namespace cli {

namespace {

std::optional<PanelAddress> PanelByName(std::string_view text) {
  for (int i = 0; i < PanelAddressBook::kPanelCount; ++i) {
    if (text == "VK" + std::to_string(i + 1)) return PanelAddressBook::kBuiltIn[i];
  }
  return std::nullopt;
}

}  // namespace

std::optional<PanelAddress> ResolvePanel(std::string_view text) {
  std::optional<PanelAddress> address = PanelByName(text);
  if (!address) address = ParseAddressText(text);
  if (!address || !IsValidPanelAddress(*address)) return std::nullopt;
  return address;
}

}  // namespace cli

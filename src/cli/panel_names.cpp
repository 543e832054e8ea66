#include "cli/panel_names.h"

#include <charconv>

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

std::optional<PanelAddress> ParseDottedAddress(std::string_view text) {
  PanelAddress address = 0;
  const char* next = text.data();
  const char* const end = text.data() + text.size();
  for (int octet = 0; octet < 4; ++octet) {
    if (octet > 0) {
      if (next == end || *next != '.') return std::nullopt;
      ++next;
    }
    unsigned value = 0;
    const auto [stop, error] = std::from_chars(next, end, value);
    if (error != std::errc() || stop == next || stop - next > 3 || value > 255) return std::nullopt;
    address = (address << 8) | value;
    next = stop;
  }
  if (next != end) return std::nullopt;
  return address;
}

std::optional<PanelAddress> ResolvePanel(std::string_view text) {
  std::optional<PanelAddress> address = PanelByName(text);
  if (!address) address = ParseDottedAddress(text);
  if (!address || !IsValidPanelAddress(*address)) return std::nullopt;
  return address;
}

}  // namespace cli

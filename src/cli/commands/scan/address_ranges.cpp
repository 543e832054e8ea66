#include "commands/scan/address_ranges.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include <fmt/format.h>

namespace cli {

namespace {

// A number of at most three digits from 0 to `most`, the whole of `text`.
std::optional<unsigned> SmallNumber(std::string_view text, unsigned most) {
  if (text.empty() || text.size() > 3) return std::nullopt;
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value > most) return std::nullopt;
  return value;
}

std::string Refused(std::string_view text) {
  return fmt::format(
      "RANGE must be an address a.b.c.d, a run a.b.c.d-e of last octets, or a block a.b.c.d/n "
      "(n from 0 to 32): {}",
      text);
}

}  // namespace

std::variant<AddressRange, std::string> ParseAddressRange(std::string_view text) {
  const std::size_t mark = text.find_first_of("-/");
  const std::optional<protocol::PanelAddress> address =
      protocol::ParseAddressText(text.substr(0, mark));
  if (!address) return Refused(text);
  if (mark == std::string_view::npos) return AddressRange{*address, *address};
  const std::string_view tail = text.substr(mark + 1);
  if (text[mark] == '/') {
    const std::optional<unsigned> bits = SmallNumber(tail, 32);
    if (!bits) return Refused(text);
    const std::uint64_t size = std::uint64_t{1} << (32 - *bits);
    const auto first = static_cast<protocol::PanelAddress>(*address & ~(size - 1));
    return AddressRange{first, static_cast<protocol::PanelAddress>(first + (size - 1))};
  }
  const std::optional<unsigned> lastOctet = SmallNumber(tail, 255);
  if (!lastOctet || *lastOctet < (*address & 0xFFu)) return Refused(text);
  return AddressRange{*address, (*address & ~protocol::PanelAddress{0xFF}) | *lastOctet};
}

std::variant<std::vector<protocol::PanelAddress>, std::string> ScanAddresses(
    const std::vector<AddressRange>& ranges) {
  std::uint64_t total = 0;
  for (const AddressRange& range : ranges) total += range.Size();
  if (total > kMostScanAddresses) {
    return fmt::format("the ranges hold {} addresses; a scan takes at most {} (a /16)", total,
                       kMostScanAddresses);
  }
  std::vector<protocol::PanelAddress> addresses;
  for (const AddressRange& range : ranges) {
    for (std::uint64_t address = range.first; address <= range.last; ++address) {
      const auto panel = static_cast<protocol::PanelAddress>(address);
      if (protocol::IsValidPanelAddress(panel)) addresses.push_back(panel);
    }
  }
  std::sort(addresses.begin(), addresses.end());
  addresses.erase(std::unique(addresses.begin(), addresses.end()), addresses.end());
  if (addresses.empty()) return std::string("the ranges hold no address that a panel can have");
  return addresses;
}

}  // namespace cli

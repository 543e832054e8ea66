// RANGE for scan: one address ("192.168.0.9"), a run of last octets
// ("192.168.0.20-40") or a CIDR block ("192.168.0.0/24"), and the addresses
// that a scan of several of them asks, bounded so that a mistyped block
// cannot start a scan of millions.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "protocol/panel_address.h"

namespace cli {

// The most addresses that one scan's ranges may hold in all: a /16.
inline constexpr std::uint64_t kMostScanAddresses = 65536;

struct AddressRange {
  protocol::PanelAddress first = 0;
  protocol::PanelAddress last = 0;  // not below `first`

  std::uint64_t Size() const { return std::uint64_t{last} - first + 1; }
};

// The range `text` names, or why it names none. A CIDR block's host bits
// are ignored ("10.1.2.3/24" is 10.1.2.0 to 10.1.2.255).
std::variant<AddressRange, std::string> ParseAddressRange(std::string_view text);

// The addresses of `ranges` that a panel can have (IsValidPanelAddress: no
// network or broadcast address of a /24), in address order, each once; or
// why they are refused: more than kMostScanAddresses in all, or none that
// a panel can have.
std::variant<std::vector<protocol::PanelAddress>, std::string> ScanAddresses(
    const std::vector<AddressRange>& ranges);

}  // namespace cli

// Panel and camera addresses: IPv4 as a 32-bit value with the first octet in
// the most significant byte; on the wire, four bytes with the first octet first.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace protocol {

using PanelAddress = std::uint32_t;

// The panels VK1 to VK5 at their factory addresses.
inline constexpr int kPanelCount = 5;
inline constexpr std::array<PanelAddress, kPanelCount> kBuiltInPanels = {
    0xC0A80009,  // VK1 192.168.0.9
    0xC0A80007,  // VK2 192.168.0.7
    0xC0A80006,  // VK3 192.168.0.6
    0xC0A80005,  // VK4 192.168.0.5
    0xC0A80004,  // VK5 192.168.0.4
};

// "%d.%d.%d.%d", octets from the most significant byte down.
std::string AddressText(PanelAddress address);
// The reverse: "a.b.c.d" with every part 0 to 255 in at most three digits;
// nothing for any other text.
std::optional<PanelAddress> ParseAddressText(std::string_view text);

PanelAddress AddressFromBytes(const std::uint8_t* bytes);
void AddressToBytes(PanelAddress address, std::uint8_t* bytes);

// First octet 1 to 223, last octet 1 to 254, and not 127.0.0.1.
bool IsValidPanelAddress(PanelAddress address);

}  // namespace protocol

#include "protocol/panel_address.h"

#include <charconv>
#include <cstdio>

namespace protocol {

std::string AddressText(PanelAddress address) {
  char text[16];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", (address >> 24) & 0xFFu, (address >> 16) & 0xFFu,
                (address >> 8) & 0xFFu, address & 0xFFu);
  return text;
}

std::optional<PanelAddress> ParseAddressText(std::string_view text) {
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

PanelAddress AddressFromBytes(const std::uint8_t* bytes) {
  return (PanelAddress{bytes[0]} << 24) | (PanelAddress{bytes[1]} << 16) |
         (PanelAddress{bytes[2]} << 8) | PanelAddress{bytes[3]};
}

void AddressToBytes(PanelAddress address, std::uint8_t* bytes) {
  bytes[0] = static_cast<std::uint8_t>(address >> 24);
  bytes[1] = static_cast<std::uint8_t>(address >> 16);
  bytes[2] = static_cast<std::uint8_t>(address >> 8);
  bytes[3] = static_cast<std::uint8_t>(address);
}

bool IsValidPanelAddress(PanelAddress address) {
  constexpr PanelAddress kLoopback = 0x7F000001;  // 127.0.0.1
  const unsigned first = address >> 24;
  const unsigned last = address & 0xFFu;
  return first >= 1 && first <= 223 && last >= 1 && last <= 254 && address != kLoopback;
}

}  // namespace protocol

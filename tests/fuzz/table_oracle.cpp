#include "table_oracle.h"

#include <algorithm>
#include <cstdint>

namespace fuzz::oracle {

namespace {

// Offsets in the 3342-byte record.
constexpr std::size_t kMacs = 12;        // 100 x 6
constexpr std::size_t kAddresses = 612;  // 100 x 6: address, then port (big-endian)
constexpr std::size_t kSwitcherMac = 2012;
constexpr std::size_t kKinds = 2032;   // 100 x 1
constexpr std::size_t kNames = 2138;   // 100 x 9
constexpr std::size_t kAlarms = 3038;  // 100 x 2, low byte first

std::string Hex6(const protocol::IpSettingRecord& table, std::size_t at) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (std::size_t i = 0; i < 6; ++i) {
    if (i > 0) text += ':';
    text += kDigits[table.bytes[at + i] >> 4];
    text += kDigits[table.bytes[at + i] & 0x0F];
  }
  return text;
}

}  // namespace

protocol::IpSettingRecord TableAfterRead(const protocol::IpSettingRecord& before,
                                         const std::string& received) {
  if (received.size() != 3342) return before;
  unsigned sum = 0;
  for (const char byte : received) sum += static_cast<unsigned char>(byte);
  if (sum % 256 != 0) return before;
  protocol::IpSettingRecord record;
  std::copy(received.begin(), received.end(), record.bytes.begin());
  return record;
}

int TypeItem(const protocol::IpSettingRecord& table, int c) {
  // Wire codes NoAsign 0, Serial 1, Network 2, CAM_Direct 3, IP_Direct 4 to
  // the Type list's order NoAsign, Network, IP_Direct, Serial, CAM_Direct.
  constexpr std::uint8_t kItemOfWire[] = {0, 3, 1, 4, 2};
  const std::uint8_t kind = table.bytes[kKinds + static_cast<std::size_t>(c)];
  return kind < 5 ? kItemOfWire[kind] : kind;
}

std::string NameText(const protocol::IpSettingRecord& table, int c) {
  const auto begin = table.bytes.begin() + static_cast<std::ptrdiff_t>(kNames + 9 * c);
  return std::string(begin, std::find(begin, begin + 9, 0));
}

std::string AlarmText(const protocol::IpSettingRecord& table, int c) {
  const std::size_t at = kAlarms + 2 * static_cast<std::size_t>(c);
  const unsigned low = table.bytes[at];
  const unsigned high = table.bytes[at + 1];
  const bool mc27 = NameText(table, c) == "TL-MC27";
  const std::string blank(10, ' ');
  if (low != 0) return blank;
  switch (high) {
    case 0x01:
      return mc27 ? blank : "Pan Driver";
    case 0x02:
      return mc27 ? blank : "Tilt Driver";
    case 0x03:
      return "Motor Driver";
    case 0x04:
      return mc27 ? "Pan Sensor" : blank;
    case 0x05:
      return mc27 ? "Tilt Sensor" : blank;
    case 0xFF:
      return "FAN";
    default:
      return blank;
  }
}

std::string MacText(const protocol::IpSettingRecord& table, int c) {
  return Hex6(table, kMacs + 6 * static_cast<std::size_t>(c));
}

std::string PortText(const protocol::IpSettingRecord& table, int c) {
  const std::size_t at = kAddresses + 6 * static_cast<std::size_t>(c) + 4;
  return std::to_string(table.bytes[at] * 256 + table.bytes[at + 1]);
}

std::string SwitcherMacText(const protocol::IpSettingRecord& table) {
  return Hex6(table, kSwitcherMac);
}

}  // namespace fuzz::oracle

// A camera table record for the Setting page's end-to-end tests, written
// byte by byte at the record's offsets, in wire codes, with a zero sum; and
// what its rows are expected to show.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace setting_table {

inline constexpr std::size_t kRecordSize = 3342;

inline std::string NameOf(int c) {
  if (c == 0) return "TL-MC27";
  char name[16];  // room for any int, though cameras stop at 100
  std::snprintf(name, sizeof name, "WCAM%02d", c + 1);
  return name;
}

inline std::uint8_t MacByte(int c) { return static_cast<std::uint8_t>(0x10 + c); }

inline std::string MacTextOf(int c) {
  char text[18];
  std::snprintf(text, sizeof text, "00:1A:2B:3C:00:%02X", MacByte(c));
  return text;
}

inline int PortOf(int c) { return c == 5 ? 8080 : 80; }

// Wire codes: 0 NoAsign, 1 Serial, 2 Network, 3 CAM_Direct, 4 IP_Direct.
inline std::uint8_t WireKindOf(int c) {
  switch (c) {
    case 1:
      return 1;
    case 2:
      return 3;
    case 3:
      return 4;
    case 4:
      return 0;
    default:
      return c < 15 ? 2 : 0;
  }
}

inline void SetAddress(std::vector<std::uint8_t>& record, std::size_t at, int last, int port) {
  const std::uint8_t bytes[6] = {192,
                                 168,
                                 0,
                                 static_cast<std::uint8_t>(last),
                                 static_cast<std::uint8_t>(port >> 8),
                                 static_cast<std::uint8_t>(port)};
  for (int i = 0; i < 6; ++i) record[at + i] = bytes[i];
}

// Camera c (0 to 99) at 192.168.0.(100+c); the switcher at 192.168.0.3,
// Network, with C002 on INPUT1.
inline std::vector<std::uint8_t> ExampleTable() {
  std::vector<std::uint8_t> record(kRecordSize, 0);
  for (int c = 0; c < 100; ++c) {
    const std::size_t mac = 12 + 6 * c;
    const std::uint8_t macBytes[6] = {0x00, 0x1A, 0x2B, 0x3C, 0x00, MacByte(c)};
    for (int i = 0; i < 6; ++i) record[mac + i] = macBytes[i];
    SetAddress(record, 612 + 6 * c, 100 + c, PortOf(c));
    record[2032 + c] = WireKindOf(c);
    const std::string name = NameOf(c);
    for (std::size_t i = 0; i < name.size(); ++i) record[2138 + 9 * c + i] = name[i];
  }
  // Alarm codes, low byte first.
  const struct {
    int camera;
    std::uint16_t code;
  } alarms[] = {{0, 0x0400}, {6, 0x0300}, {7, 0x0100}, {8, 0x0400}};
  for (const auto& alarm : alarms) {
    record[3038 + 2 * alarm.camera] = static_cast<std::uint8_t>(alarm.code);
    record[3038 + 2 * alarm.camera + 1] = static_cast<std::uint8_t>(alarm.code >> 8);
  }
  for (int i = 0; i < 6; ++i) record[2012 + i] = static_cast<std::uint8_t>(0xA0 + i);
  SetAddress(record, 2018, 3, 80);
  record[2132] = 1;  // switcher Network
  record[2133] = 2;  // INPUT1: C002
  unsigned sum = 0;
  for (std::uint8_t byte : record) sum += byte;
  record[3340] = static_cast<std::uint8_t>(0x100 - (sum & 0xFF));
  return record;
}

}  // namespace setting_table

// The camera table record: a byte-exact image of the panel's table of 100
// cameras (20 groups of 5) and the video switcher with its 5 inputs, exactly
// as it travels on the wire (3342 bytes). The accessors address each field at
// its offset; the reserved stretches are never interpreted and are carried
// byte for byte. Multi-byte numbers are big-endian, except the alarm code.
// The type bytes hold the wire codes at all times.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "protocol/panel_address.h"
#include "protocol/zero_sum.h"

namespace protocol {

inline constexpr int kCameraCount = 100;
inline constexpr int kCamerasPerGroup = 5;
inline constexpr int kGroupCount = kCameraCount / kCamerasPerGroup;  // 20
inline constexpr int kSwitcherInputCount = 5;

// Camera type as the record carries it on the wire.
enum WireKind : std::uint8_t {
  kWireNoAsign = 0,
  kWireSerial = 1,
  kWireNetwork = 2,
  kWireCamDirect = 3,
  kWireIpDirect = 4,
};

// Switcher type.
enum SwitcherKind : std::uint8_t {
  kSwitcherNoAsign = 0,
  kSwitcherNetwork = 1,
};

// Status bits of camFlags and swFlags, set by the panel.
inline constexpr std::uint8_t kHighlightFlag = 0x01;
inline constexpr std::uint8_t kDuplicateFlag = 0x02;

// Alarm codes as the 16-bit value (on the wire: low byte first).
inline constexpr std::uint16_t kAlarmPanDriver = 0x0100;
inline constexpr std::uint16_t kAlarmTiltDriver = 0x0200;
inline constexpr std::uint16_t kAlarmMotorDriver = 0x0300;
inline constexpr std::uint16_t kAlarmPanSensor = 0x0400;
inline constexpr std::uint16_t kAlarmTiltSensor = 0x0500;
inline constexpr std::uint16_t kAlarmFan = 0xFF00;

// Views of one 6-byte MAC field or address entry inside a record.
using MacField = std::span<std::uint8_t, 6>;
using ConstMacField = std::span<const std::uint8_t, 6>;
using AddrField = std::span<std::uint8_t, 6>;
using ConstAddrField = std::span<const std::uint8_t, 6>;
using NameField = std::span<std::uint8_t, 9>;
using ConstNameField = std::span<const std::uint8_t, 9>;

struct IpSettingRecord {
  static constexpr std::size_t kSize = 3342;
  static constexpr std::size_t kMacSize = 6;
  static constexpr std::size_t kAddrSize = 6;  // 4 address bytes + 2 port bytes
  static constexpr std::size_t kNameSize = 9;

  static constexpr std::size_t kCamMacAt = 12;
  static constexpr std::size_t kCamAddrAt = 612;
  static constexpr std::size_t kSwMacAt = 2012;
  static constexpr std::size_t kSwAddrAt = 2018;
  static constexpr std::size_t kCamKindAt = 2032;
  static constexpr std::size_t kSwKindAt = 2132;
  static constexpr std::size_t kSwInputAt = 2133;
  static constexpr std::size_t kCamNameAt = 2138;
  static constexpr std::size_t kCamAlarmAt = 3038;
  static constexpr std::size_t kCamFlagsAt = 3238;
  static constexpr std::size_t kSwFlagsAt = 3338;
  static constexpr std::size_t kChecksumAt = 3340;

  std::array<std::uint8_t, kSize> bytes{};

  // Camera c, 0 to 99.
  MacField CamMac(int c) { return Field<6>(kCamMacAt + kMacSize * Index(c)); }
  ConstMacField CamMac(int c) const { return Field<6>(kCamMacAt + kMacSize * Index(c)); }
  AddrField CamAddr(int c) { return Field<6>(kCamAddrAt + kAddrSize * Index(c)); }
  ConstAddrField CamAddr(int c) const { return Field<6>(kCamAddrAt + kAddrSize * Index(c)); }
  // The type byte: a wire code (WireKind), or any other value as it came.
  std::uint8_t& CamKind(int c) { return bytes[kCamKindAt + Index(c)]; }
  std::uint8_t CamKind(int c) const { return bytes[kCamKindAt + Index(c)]; }
  NameField CamNameField(int c) { return Field<9>(kCamNameAt + kNameSize * Index(c)); }
  ConstNameField CamNameField(int c) const { return Field<9>(kCamNameAt + kNameSize * Index(c)); }
  // The name up to its NUL; a field without NUL gives its 9 bytes.
  std::string CamName(int c) const;
  // Writes at most 8 characters and a NUL; the rest of the field is zeroed.
  void SetCamName(int c, std::string_view name);
  std::uint16_t CamAlarm(int c) const;
  void SetCamAlarm(int c, std::uint16_t code);
  std::uint8_t& CamFlags(int c) { return bytes[kCamFlagsAt + Index(c)]; }
  std::uint8_t CamFlags(int c) const { return bytes[kCamFlagsAt + Index(c)]; }

  // The switcher entry.
  MacField SwMac() { return Field<6>(kSwMacAt); }
  ConstMacField SwMac() const { return Field<6>(kSwMacAt); }
  AddrField SwAddr() { return Field<6>(kSwAddrAt); }
  ConstAddrField SwAddr() const { return Field<6>(kSwAddrAt); }
  std::uint8_t& SwKind() { return bytes[kSwKindAt]; }
  std::uint8_t SwKind() const { return bytes[kSwKindAt]; }
  // Input k+1 (k = 0 to 4): the camera number 1 to 100 on it, 0 when unassigned.
  std::uint8_t& SwInput(int k) { return bytes[kSwInputAt + InputIndex(k)]; }
  std::uint8_t SwInput(int k) const { return bytes[kSwInputAt + InputIndex(k)]; }
  std::uint8_t& SwFlags() { return bytes[kSwFlagsAt]; }
  std::uint8_t SwFlags() const { return bytes[kSwFlagsAt]; }

  std::uint8_t Checksum() const { return bytes[kChecksumAt]; }

  bool operator==(const IpSettingRecord&) const = default;

 private:
  static std::size_t Index(int c);
  static std::size_t InputIndex(int k);
  template <std::size_t N>
  std::span<std::uint8_t, N> Field(std::size_t at) {
    return std::span<std::uint8_t, N>(bytes.data() + at, N);
  }
  template <std::size_t N>
  std::span<const std::uint8_t, N> Field(std::size_t at) const {
    return std::span<const std::uint8_t, N>(bytes.data() + at, N);
  }
};

// Sets the checksum byte so that the 3342 bytes sum to 0; a record whose
// bytes do so passes IsZeroSum.
void ComputeChecksum(IpSettingRecord& record);

// The address bytes 0 to 3 of a camAddr or swAddr entry as a PanelAddress;
// SetIp writes bytes 0 to 3 only, the port stays.
PanelAddress GetIp(ConstAddrField entry);
void SetIp(AddrField entry, PanelAddress address);
// Bytes 4 and 5 of a camAddr entry, big-endian.
std::uint16_t HttpPort(ConstAddrField entry);
void SetHttpPort(AddrField entry, std::uint16_t port);

}  // namespace protocol

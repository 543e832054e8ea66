#include "protocol/ip_setting_record.h"

#include <algorithm>
#include <cassert>
#include <cstdio>

#include "protocol/zero_sum.h"

namespace protocol {

namespace {

constexpr std::string_view kTenBlanks = "          ";
constexpr std::string_view kNameWithOwnAlarms = "TL-MC27";

}  // namespace

std::uint8_t PageKindFromWire(std::uint8_t wire) {
  switch (wire) {
    case kWireSerial:
      return kPageSerial;
    case kWireNetwork:
      return kPageNetwork;
    case kWireCamDirect:
      return kPageCamDirect;
    case kWireIpDirect:
      return kPageIpDirect;
    default:
      return wire;
  }
}

std::uint8_t WireKindFromPage(std::uint8_t page) {
  switch (page) {
    case kPageNetwork:
      return kWireNetwork;
    case kPageIpDirect:
      return kWireIpDirect;
    case kPageSerial:
      return kWireSerial;
    case kPageCamDirect:
      return kWireCamDirect;
    default:
      return page;
  }
}

std::size_t IpSettingRecord::Index(int c) {
  assert(c >= 0 && c < kCameraCount);
  return static_cast<std::size_t>(c);
}

std::size_t IpSettingRecord::InputIndex(int k) {
  assert(k >= 0 && k < kSwitcherInputCount);
  return static_cast<std::size_t>(k);
}

std::string IpSettingRecord::CamName(int c) const {
  const ConstNameField field = CamNameField(c);
  const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
  return std::string(field.begin(), end);
}

void IpSettingRecord::SetCamName(int c, std::string_view name) {
  const NameField field = CamNameField(c);
  std::fill(field.begin(), field.end(), std::uint8_t{0});
  std::copy_n(name.begin(), std::min(name.size(), kNameSize - 1), field.begin());
}

std::uint16_t IpSettingRecord::CamAlarm(int c) const {
  const std::size_t at = kCamAlarmAt + 2 * Index(c);
  return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

void IpSettingRecord::SetCamAlarm(int c, std::uint16_t code) {
  const std::size_t at = kCamAlarmAt + 2 * Index(c);
  bytes[at] = static_cast<std::uint8_t>(code);
  bytes[at + 1] = static_cast<std::uint8_t>(code >> 8);
}

void ComputeChecksum(IpSettingRecord& record) {
  SetZeroSumChecksum(record.bytes, IpSettingRecord::kChecksumAt);
}

PanelAddress GetIp(ConstAddrField entry) { return AddressFromBytes(entry.data()); }

void SetIp(AddrField entry, PanelAddress address) { AddressToBytes(address, entry.data()); }

std::uint16_t HttpPort(ConstAddrField entry) {
  return static_cast<std::uint16_t>((entry[4] << 8) | entry[5]);
}

void SetHttpPort(AddrField entry, std::uint16_t port) {
  entry[4] = static_cast<std::uint8_t>(port >> 8);
  entry[5] = static_cast<std::uint8_t>(port);
}

std::string MacText(ConstMacField mac) {
  char text[18];
  std::snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X", mac[0], mac[1], mac[2], mac[3],
                mac[4], mac[5]);
  return text;
}

std::string AlarmText(std::string_view name, std::uint16_t code) {
  const bool ownAlarms = name == kNameWithOwnAlarms;
  switch (code) {
    case kAlarmPanDriver:
      return std::string(ownAlarms ? kTenBlanks : "Pan Driver");
    case kAlarmTiltDriver:
      return std::string(ownAlarms ? kTenBlanks : "Tilt Driver");
    case kAlarmMotorDriver:
      return "Motor Driver";
    case kAlarmPanSensor:
      return std::string(ownAlarms ? "Pan Sensor" : kTenBlanks);
    case kAlarmTiltSensor:
      return std::string(ownAlarms ? "Tilt Sensor" : kTenBlanks);
    case kAlarmFan:
      return "FAN";
    default:
      return std::string(kTenBlanks);
  }
}

std::string AlarmText(const IpSettingRecord& record, int c) {
  return AlarmText(record.CamName(c), record.CamAlarm(c));
}

const std::string& CameraLabel(int c) {
  static const auto labels = [] {
    std::array<std::string, kCameraCount> texts;
    char text[8];
    for (int i = 0; i < kCameraCount; ++i) {
      std::snprintf(text, sizeof text, "C%03d", i + 1);
      texts[static_cast<std::size_t>(i)] = text;
    }
    return texts;
  }();
  assert(c >= 0 && c < kCameraCount);
  return labels[static_cast<std::size_t>(c)];
}

const std::string& GroupLabel(int g) {
  static const auto labels = [] {
    std::array<std::string, kGroupCount> texts;
    for (int i = 0; i < kGroupCount; ++i)
      texts[static_cast<std::size_t>(i)] = std::to_string(i + 1);
    return texts;
  }();
  assert(g >= 0 && g < kGroupCount);
  return labels[static_cast<std::size_t>(g)];
}

bool IsOnInput(const IpSettingRecord& record, int c, int input) {
  return input >= 1 && input <= kSwitcherInputCount && record.SwInput(input - 1) == c + 1;
}

int InputOfCamera(const IpSettingRecord& record, int c) {
  int shown = 0;
  for (int input = 1; input <= kSwitcherInputCount; ++input) {
    if (IsOnInput(record, c, input)) shown = input;
  }
  return shown;
}

}  // namespace protocol

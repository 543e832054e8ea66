#include "protocol/ip_setting_record.h"

#include <algorithm>
#include <cassert>

#include "protocol/zero_sum.h"

namespace protocol {

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

}  // namespace protocol

#include "sim/default_camera_table.h"

#include <array>
#include <string_view>

namespace sim {

namespace {

constexpr std::array<std::string_view, 4> kModelNames = {"TL-MC27", "TL-HC40", "TL-PX12",
                                                         "TL-MC27"};

// A locally administered MAC address, unique per panel and entry.
void SetMac(protocol::MacField mac, unsigned panelSeed, unsigned entry) {
  const std::array<std::uint8_t, 6> bytes = {0x02,
                                             0x38,
                                             static_cast<std::uint8_t>(panelSeed),
                                             0x00,
                                             static_cast<std::uint8_t>(entry >> 8),
                                             static_cast<std::uint8_t>(entry)};
  std::copy(bytes.begin(), bytes.end(), mac.begin());
}

// Group 1 mixes every type; the order turns with the panel.
std::uint8_t GroupOneKind(int c, unsigned seed) {
  constexpr std::array<std::uint8_t, 5> kinds = {protocol::kWireSerial, protocol::kWireCamDirect,
                                                 protocol::kWireNetwork, protocol::kWireIpDirect,
                                                 protocol::kWireNoAsign};
  return kinds[(static_cast<unsigned>(c) + seed) % kinds.size()];
}

// Further cameras: networked ones up to a count that differs per panel,
// every seventh of them on a direct link, and a gap of unassigned ones.
std::uint8_t LaterKind(int c, unsigned seed) {
  const int networked = 30 + static_cast<int>(seed % 5) * 6;
  if (c >= networked || c % 11 == 10) return protocol::kWireNoAsign;
  return c % 7 == 3 ? protocol::kWireIpDirect : protocol::kWireNetwork;
}

std::uint16_t AlarmFor(int c, unsigned seed) {
  switch ((static_cast<unsigned>(c) + seed) % 17) {
    case 2:
      return protocol::kAlarmMotorDriver;
    case 5:
      return protocol::kAlarmPanDriver;
    case 8:
      return protocol::kAlarmPanSensor;
    case 11:
      return protocol::kAlarmFan;
    case 13:
      return protocol::kAlarmTiltSensor;
    case 15:
      return protocol::kAlarmTiltDriver;
    default:
      return 0;
  }
}

void FillReserved(protocol::IpSettingRecord& record, unsigned seed) {
  constexpr std::array<std::uint8_t, 12> kHeader = {'V',  'K',  '3',  '8',  0x03, 0x30,
                                                    0x00, 0x00, 0x00, 0x00, 0x00, 0x01};
  std::copy(kHeader.begin(), kHeader.end(), record.bytes.begin());
  for (std::size_t i = 1212; i < 1212 + 64; ++i) {
    record.bytes[i] = static_cast<std::uint8_t>(i * 3 + seed);
  }
  record.bytes[2024] = static_cast<std::uint8_t>(seed);
  record.bytes[3339] = 0x5A;
  record.bytes[3341] = 0xA5;
}

// A last octet from 1 to 254 for any count.
unsigned HostOctet(unsigned count) { return count % 254 + 1; }

}  // namespace

protocol::IpSettingRecord DefaultCameraTable(protocol::PanelAddress panel) {
  const unsigned seed = panel & 0xFFu;
  const protocol::PanelAddress subnet = panel & 0xFFFFFF00u;
  protocol::IpSettingRecord record;
  FillReserved(record, seed);

  for (int c = 0; c < protocol::kCameraCount; ++c) {
    const std::uint8_t kind =
        c < protocol::kCamerasPerGroup ? GroupOneKind(c, seed) : LaterKind(c, seed);
    record.CamKind(c) = kind;
    // Every camera holds a usable address of its own, counted up from
    // an offset after the panel's, so that a write of the table passes.
    protocol::SetIp(record.CamAddr(c), subnet | HostOctet(seed + 10 + static_cast<unsigned>(c)));
    protocol::SetHttpPort(record.CamAddr(c), c % 9 == 4 ? 8080 : 80);
    if (kind == protocol::kWireNetwork || kind == protocol::kWireIpDirect) {
      SetMac(record.CamMac(c), seed, static_cast<unsigned>(c) + 1);
      record.SetCamName(c, kModelNames[static_cast<std::size_t>(c) % kModelNames.size()]);
      record.SetCamAlarm(c, AlarmFor(c, seed));
    } else if (kind != protocol::kWireNoAsign) {
      record.SetCamName(c, "TL-SR01");
    }
  }
  // One camera outside the panel's own network, which a keep assignment moves.
  protocol::SetIp(record.CamAddr(20), (subnet + 0x100u) | HostOctet(seed + 100));
  record.CamFlags(6) = protocol::kHighlightFlag;
  record.CamFlags(12) = protocol::kHighlightFlag;

  record.SwKind() = protocol::kSwitcherNetwork;
  SetMac(record.SwMac(), seed, 0xFF01);
  protocol::SetIp(record.SwAddr(), subnet | HostOctet(seed + 252));  // just below the panel's
  protocol::SetHttpPort(record.SwAddr(), 80);
  const std::array<std::uint8_t, protocol::kSwitcherInputCount> inputs = {
      static_cast<std::uint8_t>(1 + seed % 3), 7, 12, 0, 20};
  for (int k = 0; k < protocol::kSwitcherInputCount; ++k) record.SwInput(k) = inputs[k];

  protocol::ComputeChecksum(record);
  return record;
}

}  // namespace sim

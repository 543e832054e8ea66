#include "rules/camera_table_edits.h"

#include <algorithm>
#include <span>
#include <utility>

#include "mac_field.h"
#include "rules/camera_table_words.h"

namespace rules {

namespace {

constexpr unsigned kLastHostOctet = 254;

template <std::size_t N>
void SwapFields(std::span<std::uint8_t, N> a, std::span<std::uint8_t, N> b) {
  std::swap_ranges(a.begin(), a.end(), b.begin());
}

std::uint8_t NumberOf(int camera) { return static_cast<std::uint8_t>(camera + 1); }

}  // namespace

void ClearToNumberingPlan(protocol::IpSettingRecord& table, protocol::PanelAddress panel) {
  const protocol::PanelAddress network = panel & 0xFFFFFF00u;
  const unsigned panelOctet = panel & 0xFFu;

  for (int c = 0; c < protocol::kCameraCount; ++c) ClearMac(table.CamMac(c));
  ClearMac(table.SwMac());

  // Camera n gets the n-th address after the panel's; 254 is followed by 1.
  unsigned octet = panelOctet;
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    octet = octet + 1 > kLastHostOctet ? 1 : octet + 1;
    protocol::SetIp(table.CamAddr(c), network | octet);
    // Serial and CAM_Direct cameras keep their type.
    if (IsNetworked(table.CamKind(c))) table.CamKind(c) = protocol::kWireNoAsign;
  }
  // The switcher sits just below the panel.
  table.SwKind() = protocol::kSwitcherNoAsign;
  const unsigned below = panelOctet == 1 ? kLastHostOctet : (panelOctet - 1) & 0xFFu;
  protocol::SetIp(table.SwAddr(), network | below);
}

void SwapCameras(protocol::IpSettingRecord& table, int a, int b) {
  SwapFields(table.CamMac(a), table.CamMac(b));
  SwapFields(table.CamAddr(a), table.CamAddr(b));
  std::swap(table.CamKind(a), table.CamKind(b));
  SwapFields(table.CamNameField(a), table.CamNameField(b));
  const std::uint16_t alarmOfA = table.CamAlarm(a);
  table.SetCamAlarm(a, table.CamAlarm(b));
  table.SetCamAlarm(b, alarmOfA);
  for (int k = 0; k < protocol::kSwitcherInputCount; ++k) {
    std::uint8_t& input = table.SwInput(k);
    if (input == NumberOf(a)) {
      input = NumberOf(b);
    } else if (input == NumberOf(b)) {
      input = NumberOf(a);
    }
  }
}

void ReleaseInputs(protocol::IpSettingRecord& table, int camera) {
  for (int k = 0; k < protocol::kSwitcherInputCount; ++k) {
    if (table.SwInput(k) == NumberOf(camera)) table.SwInput(k) = 0;
  }
}

bool PutOnInput(protocol::IpSettingRecord& table, int camera, int input) {
  if (input == 0) {
    ReleaseInputs(table, camera);
    return true;
  }
  std::uint8_t& holder = table.SwInput(input - 1);
  if (holder == NumberOf(camera)) return true;  // already there
  if (holder != 0) return false;
  ReleaseInputs(table, camera);
  holder = NumberOf(camera);
  return true;
}

bool IsOnInput(const protocol::IpSettingRecord& table, int camera, int input) {
  return input >= 1 && input <= protocol::kSwitcherInputCount &&
         table.SwInput(input - 1) == NumberOf(camera);
}

int InputOfCamera(const protocol::IpSettingRecord& table, int camera) {
  int shown = 0;
  for (int input = 1; input <= protocol::kSwitcherInputCount; ++input) {
    if (IsOnInput(table, camera, input)) shown = input;
  }
  return shown;
}

}  // namespace rules

#include "rules/camera_table_edits.h"

#include <algorithm>

namespace rules {

namespace {

constexpr unsigned kLastHostOctet = 254;

void ClearMac(MacField mac) { std::fill(mac.begin(), mac.end(), std::uint8_t{0}); }

}  // namespace

void ClearToNumberingPlan(IpSettingRecord& table, PanelAddress panel) {
  const PanelAddress network = panel & 0xFFFFFF00u;
  const unsigned panelOctet = panel & 0xFFu;

  for (int c = 0; c < kCameraCount; ++c) ClearMac(table.CamMac(c));
  ClearMac(table.SwMac());

  // Camera n gets the n-th address after the panel's; 254 is followed by 1.
  unsigned octet = panelOctet;
  for (int c = 0; c < kCameraCount; ++c) {
    octet = octet + 1 > kLastHostOctet ? 1 : octet + 1;
    SetIp(table.CamAddr(c), network | octet);
    // Serial and CAM_Direct cameras keep their type.
    std::uint8_t& kind = table.CamKind(c);
    if (kind == kPageNetwork || kind == kPageIpDirect) kind = kPageNoAsign;
  }
  // The switcher sits just below the panel.
  table.SwKind() = kSwitcherNoAsign;
  const unsigned below = panelOctet == 1 ? kLastHostOctet : (panelOctet - 1) & 0xFFu;
  SetIp(table.SwAddr(), network | below);
}

}  // namespace rules

// ALL CLEAR: the table reset to a numbering plan counted from the panel's
// own address, then written at once.
#include <algorithm>

#include "pages/setting/ip_setting.h"

namespace {

constexpr unsigned kLastHostOctet = 254;

}  // namespace

void IPSetting::OnAllClear() {
  // The button is disabled during an assignment, whose SET would otherwise
  // confirm the proposal in place of writing the cleared table.
  if (assignMode != kNoAssignment) return;

  const PanelAddress panel = link_.panels.Current();
  const PanelAddress network = panel & 0xFFFFFF00u;
  const unsigned panelOctet = panel & 0xFFu;

  for (int c = 0; c < kCameraCount; ++c) {
    const MacField mac = table_.CamMac(c);
    std::fill(mac.begin(), mac.end(), std::uint8_t{0});
  }
  const MacField swMac = table_.SwMac();
  std::fill(swMac.begin(), swMac.end(), std::uint8_t{0});

  // Camera n gets the n-th address after the panel's; 254 is followed by 1.
  unsigned octet = panelOctet;
  for (int c = 0; c < kCameraCount; ++c) {
    octet = octet + 1 > kLastHostOctet ? 1 : octet + 1;
    SetIp(table_.CamAddr(c), network | octet);
    // Serial and CAM_Direct cameras keep their type.
    std::uint8_t& kind = table_.CamKind(c);
    if (kind == kPageNetwork || kind == kPageIpDirect) kind = kPageNoAsign;
  }
  // The switcher sits just below the panel.
  table_.SwKind() = kSwitcherNoAsign;
  const unsigned below = panelOctet == 1 ? kLastHostOctet : (panelOctet - 1) & 0xFFu;
  SetIp(table_.SwAddr(), network | below);

  // The cleared table is newer than what the address controls show, so it
  // is written as it stands.
  WriteTable();
}

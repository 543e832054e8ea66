#include "commands/scan/scan_findings.h"

#include <fmt/format.h>

#include "panels/inventory.h"

namespace cli {

namespace {

constexpr const char* kSwitcherKey = "switcher";
constexpr const char* kCamerasKey = "cameras";

}  // namespace

int CamerasInUse(const protocol::IpSettingRecord& table) {
  int cameras = 0;
  for (int c = 0; c < protocol::kCameraCount; ++c) {
    if (table.CamKind(c) != protocol::kWireNoAsign) ++cameras;
  }
  return cameras;
}

PanelOutcome Found(PanelOutcome read, const protocol::IpSettingRecord& table) {
  read.extra[kSwitcherKey] = protocol::AddressText(protocol::GetIp(table.SwAddr()));
  read.extra[kCamerasKey] = CamerasInUse(table);
  return read;
}

std::string FoundInventory(const std::string& heading, const std::vector<PanelOutcome>& outcomes) {
  std::string text = "# " + heading + "\n";
  for (const PanelOutcome& outcome : outcomes) {
    if (!outcome.Ok()) continue;
    const int cameras = outcome.extra.value(kCamerasKey, 0);
    text += InventoryLine(
        {outcome.panel, outcome.name},
        fmt::format("switcher {}, {} camera{}", outcome.extra.value(kSwitcherKey, std::string()),
                    cameras, cameras == 1 ? "" : "s"));
  }
  return text;
}

}  // namespace cli

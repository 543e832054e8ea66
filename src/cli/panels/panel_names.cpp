#include "panels/panel_names.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "protocol/panel_address.h"

namespace cli {

namespace {

std::string PanelName(int index) { return "VK" + std::to_string(index + 1); }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) ==
           std::toupper(static_cast<unsigned char>(y));
  });
}

std::optional<protocol::PanelAddress> PanelByName(std::string_view text) {
  for (int i = 0; i < protocol::kPanelCount; ++i) {
    if (SameIgnoringCase(text, PanelName(i))) return protocol::kBuiltInPanels[i];
  }
  return std::nullopt;
}

}  // namespace

std::vector<NamedPanel> NamedPanels() {
  std::vector<NamedPanel> panels;
  for (int i = 0; i < protocol::kPanelCount; ++i) {
    panels.push_back({PanelName(i), protocol::kBuiltInPanels[i]});
  }
  return panels;
}

std::string PanelText(const Panel& panel) {
  const std::string address = protocol::AddressText(panel.address);
  return panel.name.empty() ? address : address + " " + panel.name;
}

std::string PanelNamesText() {
  std::string text;
  for (const NamedPanel& panel : NamedPanels()) {
    text += (text.empty() ? "" : ", ") + panel.name + " " + protocol::AddressText(panel.address);
  }
  return text;
}

std::optional<protocol::PanelAddress> ResolvePanel(std::string_view text) {
  std::optional<protocol::PanelAddress> address = PanelByName(text);
  if (!address) address = protocol::ParseAddressText(text);
  if (!address || !protocol::IsValidPanelAddress(*address)) return std::nullopt;
  return address;
}

}  // namespace cli

#include "pages/ip_address/vk38_ipset.h"

#include <string>

#include "resources/resource.h"

namespace {
int AddressControlId(int index) { return IDC_VK1_ADDRESS + index; }
}  // namespace

CVK38IPSET::CVK38IPSET(const PageContext& context)
    : ui::Page(IDD_VK38_IPSET, context.host), panels_(context.panel.panels) {
  for (int i = 0; i < protocol::kPanelCount; ++i) {
    m_addr[i] = panels_.Entry(i);
    Controls().Declare(AddressControlId(i), ui::ControlKind::kIpAddress);
  }
  Controls().Declare(IDC_IPSET_SET, ui::ControlKind::kButton);
  On(IDC_IPSET_SET, ui::Notification::kClicked, [this] { OnSet(); });
  // A field change of VK1's control is noticed and deliberately ignored.
  On(IDC_VK1_ADDRESS, ui::Notification::kFieldChanged, [] {});
}

bool CVK38IPSET::OnInitDialog() {
  PushToControls();
  return true;
}

void CVK38IPSET::LoadFromPanelList() {
  for (int i = 0; i < protocol::kPanelCount; ++i) m_addr[i] = panels_.Entry(i);
  PushToControls();
}

void CVK38IPSET::PushToControls() {
  for (int i = 0; i < protocol::kPanelCount; ++i) {
    Controls().SetAddress(AddressControlId(i), m_addr[i]);
  }
}

void CVK38IPSET::OnSet() {
  std::string message = "Unavailable network setting!\r\n";
  bool refused = false;
  for (int i = 0; i < protocol::kPanelCount; ++i) {
    const protocol::PanelAddress shown = Controls().Address(AddressControlId(i));
    if (protocol::IsValidPanelAddress(shown)) {
      panels_.SetEntry(i, shown);
      continue;
    }
    if (refused) message += "/";
    message += " VK" + std::to_string(i + 1);
    refused = true;
  }
  if (refused) ShowMessage(message, std::nullopt, ui::kMbOk | ui::kMbIconExclamation);
}

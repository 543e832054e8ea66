// The IP Address page: shows the panel address list in five address
// controls and stores the valid ones with its Set button.
#pragma once

#include <array>

#include "pages/common/page_context.h"
#include "rules/panel_address_book.h"
#include "ui/page.h"

class CVK38IPSET : public ui::Page {
 public:
  explicit CVK38IPSET(const PageContext& context);

  bool OnInitDialog() override;
  // Tab "IP Address" selected: the list is shown again, so edits not applied
  // with Set are dropped.
  void LoadFromPanelList();

  std::array<protocol::PanelAddress, protocol::kPanelCount> m_addr;

 private:
  void OnSet();
  void PushToControls();

  rules::PanelAddressBook& panels_;
};

// The panel selector: a combo box with one entry per panel of the address
// list, "VK1(192.168.0.9)" to "VK5(...)". Picking an entry makes that panel
// the current panel address for every page.
#pragma once

#include "rules/panel_address_book.h"
#include "ui/control_model.h"

class PanelSelector {
 public:
  PanelSelector(rules::PanelAddressBook& panels, ui::ControlModel& controls, int comboId)
      : panels_(panels), controls_(controls), comboId_(comboId) {}

  // Empties the list and adds the five entries from the address list.
  void Fill();
  // The user picked an entry: its panel becomes current. Returns the index.
  int OnPick();
  // Rebuilds the entries, selects the entry selected before (or, when none
  // is, `lastPicked`) and makes its panel current. Returns the index.
  int Refresh(int lastPicked);

 private:
  rules::PanelAddressBook& panels_;
  ui::ControlModel& controls_;
  int comboId_;
};

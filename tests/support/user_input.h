// Acting on a page as the operator does: change what a control shows, then
// deliver the notification the real control would send.
#pragma once

#include <cstdint>
#include <string>

#include "ui/dialog.h"

namespace testing_support {

inline void Click(ui::Dialog& dialog, int id) { dialog.Notify(id, ui::Notification::kClicked); }

inline void Pick(ui::Dialog& dialog, int comboId, int index) {
  const auto& items = dialog.Controls().Items(comboId);
  const bool inList = index >= 0 && index < static_cast<int>(items.size());
  dialog.Controls().StoreUserSelection(comboId, inList ? index : -1, inList ? items[index] : "");
  dialog.Notify(comboId, ui::Notification::kSelChange);
}

inline void Type(ui::Dialog& dialog, int editId, std::string text) {
  dialog.Controls().StoreUserText(editId, std::move(text));
  dialog.Notify(editId, ui::Notification::kEditChange);
}

// Typing into a combo box's edit field leaves no entry selected.
inline void TypeIntoCombo(ui::Dialog& dialog, int comboId, std::string text) {
  dialog.Controls().StoreUserSelection(comboId, -1, std::move(text));
}

inline void EnterAddress(ui::Dialog& dialog, int addressId, std::uint32_t address) {
  dialog.Controls().StoreUserAddress(addressId, address);
  dialog.Notify(addressId, ui::Notification::kFieldChanged);
}

inline void SelectTab(ui::Dialog& dialog, int tabId, int index) {
  dialog.Controls().StoreUserSelection(tabId, index, "");
  dialog.Notify(tabId, ui::Notification::kTabSelChange);
}

}  // namespace testing_support

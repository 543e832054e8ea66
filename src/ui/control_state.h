// What one control of a dialog shows, independent of any window system.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ui {

enum class ControlKind {
  kUnknown,
  kStatic,
  kEdit,
  kButton,
  kComboBox,
  kIpAddress,
  kScrollBar,
  kTab
};

struct ControlState {
  ControlKind kind = ControlKind::kUnknown;
  std::string text;                // static, edit or button text; a combo box's edit field
  std::vector<std::string> items;  // combo box list or tab texts, in order
  int selection = -1;              // selected combo item or tab; -1 for none
  std::uint32_t address = 0;       // IP address control, first octet in the top byte
  int textLimit = 0;               // edit input limit in characters; 0 for the default
  int scrollMin = 0;
  int scrollMax = 0;
  int scrollPos = 0;
  bool enabled = true;
  bool visible = true;

  // Change counters of the model (see ControlModel): when any value last
  // changed, and when the list items last changed.
  std::uint64_t revision = 0;
  std::uint64_t itemsRevision = 0;
};

}  // namespace ui

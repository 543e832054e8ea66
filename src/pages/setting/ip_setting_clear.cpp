// ALL CLEAR: the table reset to a numbering plan counted from the panel's
// own address, then written at once.
#include "pages/setting/ip_setting.h"
#include "rules/camera_table_edits.h"

void IPSetting::OnAllClear() {
  // The button is disabled during an assignment, whose SET would otherwise
  // confirm the proposal in place of writing the cleared table.
  if (assignMode != kNoAssignment) return;

  rules::ClearToNumberingPlan(table_, panel_.panels.Current());
  // The cleared table is newer than what the address controls show, so it
  // is written as it stands.
  WriteTable();
}

// Reading the camera table from the panel (REFRESH, and CANCEL of an
// address assignment).
#include "pages/setting/ip_setting.h"
#include "protocol/commands.h"

void IPSetting::OnRefresh() { ReadTable(); }

void IPSetting::ReadTable() {
  // The panel answers with the record alone and closes.
  if (!FetchRecord(commands::kCameraTableRequest)) return;  // the table and rows stay as they are
  TakeReadTimeCopies();
  FillCameraSelectLists();
  ShowRows();
}

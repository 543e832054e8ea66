// Reading the camera table from the panel (REFRESH, and CANCEL of an
// address assignment).
#include "operations/camera_table.h"
#include "pages/setting/ip_setting.h"

void IPSetting::OnRefresh() { ReadTable(); }

void IPSetting::ReadTable() {
  // A failed read leaves the rows as they are.
  if (!Fetched(operations::ReadCameraTable(panel_.Link(), table_))) return;
  TakeReadTimeCopies();
  FillCameraSelectLists();
  ShowRows();
}

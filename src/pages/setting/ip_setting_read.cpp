// Reading the camera table from the panel (REFRESH, and CANCEL of an
// address assignment).
#include "operations/camera_table.h"
#include "pages/setting/ip_setting.h"

void IPSetting::OnRefresh() { ReadTable(); }

void IPSetting::ReadTable() {
  if (!Fetched(operations::ReadCameraTable(link_, table_))) return;  // the rows stay as they are
  TakeReadTimeCopies();
  FillCameraSelectLists();
  ShowRows();
}

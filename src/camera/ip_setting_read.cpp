// Reading the camera table from the panel (REFRESH, and CANCEL of an
// address assignment).
#include "camera/ip_setting.h"

void IPSetting::OnRefresh() { ReadTable(); }

void IPSetting::ReadTable() {
  {
    CPanelSession session(link_);
    switch (StartExchange(session, "VK38 IP SETTING REQ\r\n")) {
      case ExchangeStart::kFailed:
        return;  // reported; the table and the rows stay as they are
      case ExchangeStart::kNoSocket:
        break;
      case ExchangeStart::kSent:
        // The panel answers with the record alone and closes. A failed
        // receive, an empty or a damaged record leave the table as it is.
        if (const auto received = session.ReceiveUntilClosed()) {
          TakeRecord(session.ReplyBuffer().first(*received));
        }
        break;
    }
  }
  TakeReadTimeCopies();
  FillCameraSelectLists();
  RefreshView();
  PushToControls();
}

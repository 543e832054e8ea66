#include "app/setup_tool_app.h"

#include <optional>

#include "app/setup_tool_dlg.h"
#include "resources/resource.h"
#include "ui/message_box.h"

bool CSetupToolApp::InitInstance() {
  platform_.InitCommonControls();
  if (!platform_.StartSocketLayer()) {
    host_.ShowMessageBox(nullptr, host_.LoadResourceString(IDS_SOCKETS_INIT_FAILED), std::nullopt,
                         ui::kMbOk | ui::kMbIconExclamation);
    return false;
  }
  CSetupToolDlg mainWindow(PageContext{host_, ChosenPanel{network_, panels_}, files_});
  host_.RunModalDialog(mainWindow, nullptr);
  return false;
}

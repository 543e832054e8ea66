#include "app/version_dlg.h"

#include "resources/resource.h"

CVersionDlg::CVersionDlg(ui::Host& host) : ui::Dialog(IDD_VERSION, host) {}

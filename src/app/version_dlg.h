// The version box, opened from the main window's system menu.
#pragma once

#include "ui/dialog.h"

class CVersionDlg : public ui::Dialog {
 public:
  explicit CVersionDlg(ui::Host& host);
};

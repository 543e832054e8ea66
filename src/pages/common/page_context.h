// What every page of the main window is given: the host for message boxes
// and file dialogs, the chosen panel, and the file system.
#pragma once

#include "pages/common/chosen_panel.h"
#include "platform/file_system.h"
#include "ui/host.h"

struct PageContext {
  ui::Host& host;
  ChosenPanel panel;
  platform::FileSystem& files;
};

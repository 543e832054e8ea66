// What every page of the main window is given: the host for message boxes
// and file dialogs, the link to the chosen panel, and the file system.
#pragma once

#include "platform/file_system.h"
#include "protocol/panel_link.h"
#include "ui/host.h"

struct PageContext {
  ui::Host& host;
  protocol::PanelLink link;
  platform::FileSystem& files;
};

// The application object: starts the common controls and the socket layer,
// then runs the main window until it is closed.
#pragma once

#include "app/app_platform.h"
#include "platform/file_system.h"
#include "platform/network.h"
#include "rules/panel_address_book.h"
#include "ui/host.h"

class CSetupToolApp {
 public:
  CSetupToolApp(ui::Host& host, AppPlatform& platform, platform::Network& network,
                platform::FileSystem& files)
      : host_(host), platform_(platform), network_(network), files_(files) {}

  // Runs the whole tool; false, so that the process ends when it returns.
  bool InitInstance();

 private:
  ui::Host& host_;
  AppPlatform& platform_;
  platform::Network& network_;
  platform::FileSystem& files_;
  // The panel address list and the current panel address, for the whole run.
  rules::PanelAddressBook panels_;
};

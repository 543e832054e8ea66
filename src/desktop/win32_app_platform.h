// What the application object starts on Windows: the common controls (tab,
// IP address control, visual styles) and the socket layer.
#pragma once

#include "app/app_platform.h"

namespace desktop {

class Win32AppPlatform : public AppPlatform {
 public:
  Win32AppPlatform() = default;
  ~Win32AppPlatform() override;  // ends the socket layer if it was started
  Win32AppPlatform(const Win32AppPlatform&) = delete;
  Win32AppPlatform& operator=(const Win32AppPlatform&) = delete;

  void InitCommonControls() override;
  bool StartSocketLayer() override;

 private:
  bool socketLayerStarted_ = false;
};

}  // namespace desktop

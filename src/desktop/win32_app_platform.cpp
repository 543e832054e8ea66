#include "desktop/win32_app_platform.h"

#include <windows.h>

#include <commctrl.h>

#include "platform/win32/socket_layer.h"

namespace desktop {

Win32AppPlatform::~Win32AppPlatform() {
  if (socketLayerStarted_) platform::win32::StopSocketLayer();
}

void Win32AppPlatform::InitCommonControls() {
  INITCOMMONCONTROLSEX classes{};
  classes.dwSize = sizeof classes;
  classes.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_INTERNET_CLASSES;
  ::InitCommonControlsEx(&classes);
}

bool Win32AppPlatform::StartSocketLayer() {
  if (!socketLayerStarted_) socketLayerStarted_ = platform::win32::StartSocketLayer();
  return socketLayerStarted_;
}

}  // namespace desktop

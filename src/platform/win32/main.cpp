// SetupTool.exe: makes the Windows implementations of the host, sockets and
// files and hands over to the application object, which runs the whole tool.
#include <windows.h>

#include "app/setup_tool_app.h"
#include "platform/win32/win32_app_platform.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_host.h"
#include "platform/win32/win32_network.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  platform::Win32Host host(instance);
  platform::Win32AppPlatform appPlatform;
  platform::Win32Network network;
  platform::Win32FileSystem files;
  CSetupToolApp app(host, appPlatform, network, files);
  app.InitInstance();  // false: the tool has ended
  return 0;
}

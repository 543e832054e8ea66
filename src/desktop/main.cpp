// SetupTool.exe: makes the Windows implementations of the host, sockets and
// files and hands over to the application object, which runs the whole tool.
// The exchanges with the panels run on this, the user-interface thread: its
// sockets wait repainting the windows, under the wait cursor.
#include <windows.h>

#include "app/setup_tool_app.h"
#include "desktop/repainting_socket_waiting.h"
#include "desktop/wait_cursor.h"
#include "desktop/win32_app_platform.h"
#include "desktop/win32_host.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_network.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  desktop::WaitCursor waitCursor;
  desktop::Win32Host host(instance, waitCursor);
  desktop::Win32AppPlatform appPlatform;
  desktop::RepaintingSocketWaiting socketWaiting(waitCursor);
  platform::win32::Win32Network network(socketWaiting);
  platform::win32::Win32FileSystem files;
  CSetupToolApp app(host, appPlatform, network, files);
  app.InitInstance();  // false: the tool has ended
  return 0;
}

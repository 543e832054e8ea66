// Entry of the Windows-side test programs: the common controls and the socket
// layer are started as the program itself starts them, then the tests run.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "platform/win32/socket_layer.h"

int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX classes{};
  classes.dwSize = sizeof classes;
  classes.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_INTERNET_CLASSES;
  ::InitCommonControlsEx(&classes);
  if (!platform::win32::StartSocketLayer()) {
    std::fprintf(stderr, "the socket layer did not start\n");
    return 2;
  }
  testing::InitGoogleTest(&argc, argv);
  const int status = RUN_ALL_TESTS();
  platform::win32::StopSocketLayer();
  return status;
}

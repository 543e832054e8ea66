// Entry of the end-to-end test programs:
//   TEST.exe [GoogleTest options] [PATH-OF-SetupTool.exe]
#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include "program.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // The last argument, if any, is the program under test; tests that start
  // it fail without one.
  int count = 0;
  if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
    if (argc >= 2 && count >= 2) wine_driver::SetProgramPath(wide[count - 1]);
    LocalFree(wide);
  }
  return RUN_ALL_TESTS();
}

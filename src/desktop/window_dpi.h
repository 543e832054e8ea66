// The DPI of the screen a window is on.
#pragma once

#include <windows.h>

namespace desktop {

// The window's DPI where the system tells it per window (Windows 10, 1607
// and later), else the system's DPI; 96 means 100 %.
UINT WindowDpi(HWND hwnd);

}  // namespace desktop

#include "desktop/window_dpi.h"

namespace desktop {

namespace {

using GetDpiForWindowCall = UINT(WINAPI*)(HWND);

constexpr UINT kDefaultDpi = 96;

// Looked up at run time: older Windows lacks the call, and the program
// must still start there.
GetDpiForWindowCall PerWindowDpiCall() {
  static const auto call = [] {
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    const FARPROC found = user32 ? ::GetProcAddress(user32, "GetDpiForWindow") : nullptr;
    return reinterpret_cast<GetDpiForWindowCall>(reinterpret_cast<void*>(found));
  }();
  return call;
}

UINT SystemDpi() {
  const HDC screen = ::GetDC(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}

}  // namespace

UINT WindowDpi(HWND hwnd) {
  if (const GetDpiForWindowCall call = PerWindowDpiCall(); call != nullptr && hwnd != nullptr) {
    if (const UINT dpi = call(hwnd); dpi > 0) return dpi;
  }
  return SystemDpi();
}

}  // namespace desktop

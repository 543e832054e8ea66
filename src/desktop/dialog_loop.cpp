#include "desktop/dialog_loop.h"

namespace desktop {

namespace {

bool IsEnterOrEscKeyDown(const MSG& message) {
  return message.message == WM_KEYDOWN &&
         (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE);
}

}  // namespace

void RunDialogLoop(DialogWindow& window) {
  MSG message;
  while (!window.ended) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    const bool direct =
        window.dialog->KeepsEnterAndEscFromNavigation() && IsEnterOrEscKeyDown(message);
    if (!direct && ::IsDialogMessageW(window.hwnd, &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

}  // namespace desktop

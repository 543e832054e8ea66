#include "platform/win32/dialog_loop.h"

namespace platform::win32 {

void RunDialogLoop(DialogWindow& window) {
  MSG message;
  while (!window.ended) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    const ui::Dialog::Translation route =
        window.dialog->PreTranslateMessage(message.message, message.wParam);
    if (route == ui::Dialog::Translation::kDialogNavigation &&
        ::IsDialogMessageW(window.hwnd, &message)) {
      continue;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

}  // namespace platform::win32

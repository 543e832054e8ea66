#include "desktop/dialog_procedure.h"

#include <commctrl.h>

#include <exception>

#include "desktop/control_mirror.h"
#include "desktop/dialog_windows.h"

namespace desktop {

namespace {

DialogWindow* WindowOf(HWND hwnd) {
  return reinterpret_cast<DialogWindow*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
}

// Runs a call of the dialog object; nothing it throws crosses the window
// procedure.
template <typename Call>
INT_PTR Guarded(DialogWindow& window, INT_PTR onFailure, Call&& call) {
  try {
    return call();
  } catch (const std::exception& failure) {
    window.windows->ReportFailure(window.hwnd, failure.what());
  } catch (...) {
    window.windows->ReportFailure(window.hwnd, "unknown exception");
  }
  return onFailure;
}

// The user's input goes into the models first, so that the handler reads
// what is on the screen; its changes are shown, and painted, when it returns.
template <typename Call>
INT_PTR Deliver(DialogWindow& window, Call&& call) {
  return Guarded(window, FALSE, [&]() -> INT_PTR {
    DialogWindows& windows = *window.windows;
    windows.StoreUserInput();
    const INT_PTR result = call();
    windows.ShowModelChanges();
    windows.PaintShownChanges();
    return result;
  });
}

// The kind listed when the dialog was created; a control made later is asked.
ui::ControlKind KindOf(const DialogWindow& window, int id, HWND control) {
  const auto listed = window.controls.find(id);
  if (listed != window.controls.end() && listed->second.hwnd == control) {
    return listed->second.kind;
  }
  return KindOfWindow(control);
}

INT_PTR OnCommand(DialogWindow& window, WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const auto control = reinterpret_cast<HWND>(lParam);
  const ui::ControlKind kind = control ? KindOf(window, id, control) : ui::ControlKind::kUnknown;
  const auto code = CommandNotification(kind, id, HIWORD(wParam), control != nullptr);
  if (!code) return FALSE;
  return Deliver(window, [&] { return window.dialog->Notify(id, *code) ? TRUE : FALSE; });
}

INT_PTR OnNotify(DialogWindow& window, LPARAM lParam) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  const auto code = NotifyNotification(header->code);
  if (!code) return FALSE;
  const int id = static_cast<int>(header->idFrom);
  const INT_PTR handled =
      Deliver(window, [&] { return window.dialog->Notify(id, *code) ? TRUE : FALSE; });
  if (handled) ::SetWindowLongPtrW(window.hwnd, DWLP_MSGRESULT, 0);
  return handled;
}

INT_PTR OnVScroll(DialogWindow& window, WPARAM wParam, LPARAM lParam) {
  const auto bar = reinterpret_cast<HWND>(lParam);
  const int barId = bar ? ::GetDlgCtrlID(bar) : 0;
  return Deliver(window, [&]() -> INT_PTR {
    window.dialog->OnVScroll(LOWORD(wParam), HIWORD(wParam), barId);
    return TRUE;
  });
}

INT_PTR OnCtlColorStatic(DialogWindow& window, WPARAM wParam, LPARAM lParam) {
  const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
  return Guarded(window, FALSE, [&]() -> INT_PTR {
    const std::optional<ui::ControlColors> colours = window.dialog->OnCtlColor(id);
    if (!colours) return FALSE;
    const auto hdc = reinterpret_cast<HDC>(wParam);
    if (colours->text)
      ::SetTextColor(hdc, RGB(colours->text->r, colours->text->g, colours->text->b));
    const COLORREF background =
        RGB(colours->background.r, colours->background.g, colours->background.b);
    ::SetBkColor(hdc, background);
    return reinterpret_cast<INT_PTR>(window.windows->Brush(background));
  });
}

INT_PTR OnSysCommand(DialogWindow& window, WPARAM wParam) {
  return Deliver(window, [&]() -> INT_PTR {
    // The low four bits of a system command are the system's own.
    return window.dialog->OnSysCommand(static_cast<unsigned>(wParam & 0xFFF0)) ? TRUE : FALSE;
  });
}

// Posted to a window after the system has handled its move to a screen of
// another DPI, so that the dialog places its pixels again after the
// template's own scaling.
constexpr UINT kDpiChangeHandled = WM_APP + 0x38;

INT_PTR OnDpiChanged(DialogWindow& window) {
  ::PostMessageW(window.hwnd, kDpiChangeHandled, 0, 0);
  return FALSE;  // the system's own handling resizes and scales the dialog
}

INT_PTR OnDpiChangeHandled(DialogWindow& window) {
  return Deliver(window, [&]() -> INT_PTR {
    window.dialog->OnDpiChanged();
    return TRUE;
  });
}

// While an exchange with a panel is under way, the pointer over the
// program's windows is the wait cursor.
INT_PTR OnSetCursor(DialogWindow& window) {
  if (!window.windows->Cursor().Shown()) return FALSE;
  WaitCursor::Show();
  ::SetWindowLongPtrW(window.hwnd, DWLP_MSGRESULT, TRUE);
  return TRUE;
}

// A minimised window shows its icon in the middle of its client area.
INT_PTR OnPaint(DialogWindow& window) {
  if (window.icon == nullptr || !::IsIconic(window.hwnd)) return FALSE;
  PAINTSTRUCT paint{};
  const HDC hdc = ::BeginPaint(window.hwnd, &paint);
  ::SendMessageW(window.hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
  RECT client{};
  ::GetClientRect(window.hwnd, &client);
  const int iconWidth = ::GetSystemMetrics(SM_CXICON);
  const int iconHeight = ::GetSystemMetrics(SM_CYICON);
  const int x = (client.right - client.left - iconWidth + 1) / 2;
  const int y = (client.bottom - client.top - iconHeight + 1) / 2;
  ::DrawIcon(hdc, x, y, window.icon);
  ::EndPaint(window.hwnd, &paint);
  return TRUE;
}

INT_PTR OnClose(DialogWindow& window) {
  // The main window ends on its close box, Alt+F4 and the system menu's
  // Close; other dialogs turn WM_CLOSE into Cancel as usual.
  if (window.run != DialogWindow::Run::kOwnLoop) return FALSE;
  window.ended = true;
  window.result = IDCANCEL;
  // Wakes the loop when the close came from outside it.
  ::PostMessageW(window.hwnd, WM_NULL, 0, 0);
  return TRUE;
}

}  // namespace

std::optional<ui::Notification> CommandNotification(ui::ControlKind kind, int id, UINT code,
                                                    bool fromControl) {
  const bool okOrCancel = id == IDOK || id == IDCANCEL;
  if (code == BN_CLICKED && (kind == ui::ControlKind::kButton || okOrCancel || !fromControl)) {
    return ui::Notification::kClicked;
  }
  if (kind == ui::ControlKind::kComboBox && code == CBN_SELCHANGE) {
    return ui::Notification::kSelChange;
  }
  if (kind == ui::ControlKind::kEdit && code == EN_CHANGE) return ui::Notification::kEditChange;
  return std::nullopt;
}

std::optional<ui::Notification> NotifyNotification(UINT code) {
  switch (code) {
    case IPN_FIELDCHANGED:
      return ui::Notification::kFieldChanged;
    case TCN_SELCHANGE:
      return ui::Notification::kTabSelChange;
    case TCN_KEYDOWN:
      return ui::Notification::kTabKeyDown;
    default:
      return std::nullopt;
  }
}

INT_PTR CALLBACK DialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* window = reinterpret_cast<DialogWindow*>(lParam);
    ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    window->hwnd = hwnd;
    return Guarded(*window, TRUE,
                   [&]() -> INT_PTR { return window->windows->Initialise(*window, hwnd); });
  }
  DialogWindow* window = WindowOf(hwnd);
  if (window == nullptr) return FALSE;  // messages before WM_INITDIALOG
  const bool echo = window->windows->ShowingChanges();
  switch (message) {
    case WM_COMMAND:
      return echo ? FALSE : OnCommand(*window, wParam, lParam);
    case WM_NOTIFY:
      return echo ? FALSE : OnNotify(*window, lParam);
    case WM_VSCROLL:
      return echo ? FALSE : OnVScroll(*window, wParam, lParam);
    case WM_CTLCOLORSTATIC:
      return OnCtlColorStatic(*window, wParam, lParam);
    case WM_SYSCOMMAND:
      return OnSysCommand(*window, wParam);
    case WM_PAINT:
      return OnPaint(*window);
    case WM_SETCURSOR:
      return OnSetCursor(*window);
    case WM_DPICHANGED:
      return OnDpiChanged(*window);
    case kDpiChangeHandled:
      return OnDpiChangeHandled(*window);
    case WM_QUERYDRAGICON:
      return reinterpret_cast<INT_PTR>(window->icon);
    case WM_CLOSE:
      return OnClose(*window);
    case WM_NCDESTROY: {
      ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
      const ui::Dialog* dialog = window->dialog;
      window->windows->Forget(*dialog);  // frees `window`
      return FALSE;
    }
    default:
      return FALSE;
  }
}

}  // namespace desktop

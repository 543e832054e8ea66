// The dialog procedure of every dialog window that the host creates. It
// turns window messages into the dialog object's calls: notifications by
// control id, scrolling, colours, system commands; it keeps the controls
// and the model in step around each call, and paints the icon of a
// minimised window. The creation parameter is the window's DialogWindow.
#pragma once

#include <windows.h>

#include <optional>

#include "ui/control_state.h"
#include "ui/dialog.h"

namespace desktop {

INT_PTR CALLBACK DialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The notification a WM_COMMAND code means for a control of `kind`;
// `fromControl` is false for commands of menus, accelerators and the
// dialog manager (Enter and Esc).
std::optional<ui::Notification> CommandNotification(ui::ControlKind kind, int id, UINT code,
                                                    bool fromControl);
// The notification a WM_NOTIFY code means.
std::optional<ui::Notification> NotifyNotification(UINT code);

}  // namespace desktop

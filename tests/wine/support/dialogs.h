// Message boxes and common file dialogs of the program under test.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "wait.h"

namespace wine_driver {

enum class BoxIcon { kNone, kError, kExclamation, kInformation, kQuestion, kUnknown };
std::string ToString(BoxIcon icon);

// What a message box shows.
struct MessageBoxView {
  HWND window = nullptr;
  std::wstring caption;
  std::wstring text;
  BoxIcon icon = BoxIcon::kNone;
  std::vector<int> buttons;  // ids among IDOK, IDCANCEL, IDYES, IDNO, ... in id order
};

// Whether a top-level window is a message box (a dialog with the message
// text static and an icon static).
bool IsMessageBox(HWND window);
MessageBoxView ReadMessageBox(HWND box);

// Which of the system's message box icons a box shows: compares what is on
// the screen with each standard icon drawn here.
BoxIcon ReadBoxIcon(HWND box);

// Presses one of the box's buttons and waits until the box is gone.
void Answer(const MessageBoxView& box, int button);

// Whether a top-level window is a common open or save dialog.
bool IsFileDialog(HWND window);

// What a common file dialog offers.
struct FileDialogView {
  std::wstring caption;
  std::wstring fileName;                // the file name field
  std::vector<std::wstring> fileTypes;  // the names of the filter's entries
  bool readOnlyBox = false;             // whether "Open as read-only" shows
};
FileDialogView ReadFileDialog(HWND dialog);

// Types a path into the dialog's file name field and presses its OK
// button. Does not wait: the dialog may close or ask a question first.
void ChooseFile(HWND dialog, std::wstring_view path);
// Presses the dialog's Cancel button.
void CancelFileDialog(HWND dialog);

// Waits until a window is destroyed or hidden.
void WaitUntilGone(HWND window, Duration timeout = kTimeout);

}  // namespace wine_driver

// What a dialog needs from the window system beyond its own controls:
// message boxes, file dialogs, child and modal dialogs, placement, painting
// and the system menu. The Win32 host implements it with real windows; tests
// implement it with a scripted host that records every call.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ui {

class Dialog;

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

struct FileDialogOptions {
  std::string filter{};       // as "NAME|pattern||"
  std::string initialName{};  // file name proposed in the name field
  bool overwritePrompt = false;
};

class Host {
 public:
  virtual ~Host() = default;

  // Shows a modal message box owned by `owner` (none before the main window
  // exists) and returns the button pressed (ui::MessageBoxAnswer). Without a
  // caption of its own the box shows the application's name.
  virtual int ShowMessageBox(Dialog* owner, std::string_view text,
                             std::optional<std::string_view> caption, unsigned style) = 0;
  // Common file dialogs; the chosen full path (UTF-8), or nothing when the
  // user cancelled. The read-only check box is always hidden.
  virtual std::optional<std::string> ShowOpenFileDialog(Dialog& owner,
                                                        const FileDialogOptions& options) = 0;
  virtual std::optional<std::string> ShowSaveFileDialog(Dialog& owner,
                                                        const FileDialogOptions& options) = 0;

  // Creates `child` from its template as a hidden modeless child of `parent`.
  virtual bool CreateChildDialog(Dialog& child, Dialog& parent) = 0;
  // Runs `dialog` modally over `owner` (none for the main window) until it
  // ends; returns the value given to EndDialog.
  virtual int RunModalDialog(Dialog& dialog, Dialog* owner) = 0;
  virtual void EndDialog(Dialog& dialog, int result) = 0;

  // Client rectangle of a dialog in pixels, origin (0, 0).
  virtual Rect ClientRect(const Dialog& dialog) = 0;
  // A length of `pixelsAt96Dpi` pixels on a 96-DPI screen, in the pixels of
  // the screen the dialog is on now. Templates scale by themselves; what
  // the program places in pixels must scale with this.
  virtual int ScaleToDpi(const Dialog& dialog, int pixelsAt96Dpi) = 0;
  // Moves a child dialog within its parent's client area, in pixels.
  virtual void MoveDialog(Dialog& dialog, const Rect& where, bool repaint) = 0;
  virtual void ShowDialog(Dialog& dialog, bool visible) = 0;
  // Repaints the whole dialog, background included.
  virtual void RepaintDialog(Dialog& dialog) = 0;

  // Sets the icon resource as the window's big and small icon; a minimised
  // dialog paints it centred and offers it as its drag cursor.
  virtual void SetDialogIcon(Dialog& dialog, int iconId) = 0;
  // Appends a separator and a text item with `command` to the dialog's
  // system menu; false when the window has no system menu.
  virtual bool AppendSystemMenuItem(Dialog& dialog, unsigned command, std::string_view text) = 0;
  // A string from the program's string table; empty when it has none.
  virtual std::string LoadResourceString(int id) = 0;
};

}  // namespace ui

// The window system for the dialogs: real dialog windows made from the
// program's dialog templates, real message boxes and file dialogs. It keeps
// each window's controls and its dialog's control-state model in step (see
// DialogWindows) and holds no decision of any page.
#pragma once

#include <windows.h>

#include <map>
#include <utility>

#include "desktop/dialog_windows.h"
#include "desktop/wait_cursor.h"
#include "ui/host.h"

namespace desktop {

class Win32Host : public ui::Host {
 public:
  // `instance` holds the templates, strings and icons; `waitCursor` is the
  // program's, shown over its windows during exchanges and paused for boxes.
  Win32Host(HINSTANCE instance, WaitCursor& waitCursor);
  ~Win32Host() override;
  Win32Host(const Win32Host&) = delete;
  Win32Host& operator=(const Win32Host&) = delete;

  int ShowMessageBox(ui::Dialog* owner, std::string_view text,
                     std::optional<std::string_view> caption, unsigned style) override;
  std::optional<std::string> ShowOpenFileDialog(ui::Dialog& owner,
                                                const ui::FileDialogOptions& options) override;
  std::optional<std::string> ShowSaveFileDialog(ui::Dialog& owner,
                                                const ui::FileDialogOptions& options) override;

  bool CreateChildDialog(ui::Dialog& child, ui::Dialog& parent) override;
  int RunModalDialog(ui::Dialog& dialog, ui::Dialog* owner) override;
  void EndDialog(ui::Dialog& dialog, int result) override;

  ui::Rect ClientRect(const ui::Dialog& dialog) override;
  int ScaleToDpi(const ui::Dialog& dialog, int pixelsAt96Dpi) override;
  void MoveDialog(ui::Dialog& dialog, const ui::Rect& where, bool repaint) override;
  void ShowDialog(ui::Dialog& dialog, bool visible) override;
  void RepaintDialog(ui::Dialog& dialog) override;

  void SetDialogIcon(ui::Dialog& dialog, int iconId) override;
  bool AppendSystemMenuItem(ui::Dialog& dialog, unsigned command, std::string_view text) override;
  std::string LoadResourceString(int id) override;

  // The window of a dialog while it has one, else null.
  HWND WindowOf(const ui::Dialog& dialog) const;
  // The name message boxes show without a caption of their own: the
  // program file's name without its extension.
  std::string ApplicationName() const;

 private:
  HICON Icon(int iconId, int size);

  HINSTANCE instance_;
  DialogWindows windows_;
  std::map<std::pair<int, int>, HICON> icons_;  // by (resource id, size)
};

}  // namespace desktop

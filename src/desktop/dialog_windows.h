// The live dialog windows of the host: which window shows which dialog object,
// and the mirroring between their real controls and control-state models.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "desktop/brush_cache.h"
#include "desktop/control_mirror.h"
#include "desktop/wait_cursor.h"
#include "ui/dialog.h"

namespace desktop {

class DialogWindows;

// One dialog object and its window.
struct DialogWindow {
  enum class Run {
    kChild,     // a page: a hidden modeless child, never ended
    kOwnLoop,   // the main window: modeless, run in the host's own loop
    kModalBox,  // a modal box over an owner (DialogBoxParamW)
  };

  ui::Dialog* dialog = nullptr;
  DialogWindows* windows = nullptr;
  Run run = Run::kChild;
  HWND hwnd = nullptr;              // set when the window is initialised
  ControlWindows controls;          // its controls, listed when it is initialised
  std::uint64_t shownRevision = 0;  // model revision last shown on the controls
  bool ended = false;
  int result = 0;
  HICON icon = nullptr;  // painted centred while minimised, and the drag cursor
};

class DialogWindows {
 public:
  // `waitCursor` is the program's, for its windows' WM_SETCURSOR.
  DialogWindows(std::wstring applicationName, WaitCursor& waitCursor);

  // A record for a dialog about to be created; nothing if it has a window.
  DialogWindow* Prepare(ui::Dialog& dialog, DialogWindow::Run run);
  DialogWindow* Find(const ui::Dialog& dialog) const;
  // Drops the record (the window is gone, or was never made).
  void Forget(const ui::Dialog& dialog);

  // WM_INITDIALOG: binds the window, runs OnInitDialog, shows the whole model.
  bool Initialise(DialogWindow& window, HWND hwnd);

  // Before a notification is delivered: the user's input into the models.
  void StoreUserInput();
  // After a handler, and before anything modal is shown: every change of
  // every model onto the real controls.
  void ShowModelChanges();
  // At the end of a notification: paints at once the dialogs whose controls
  // were changed since the last call (a scroll rewrites a hundred of them),
  // each control a call on this thread rather than a WM_PAINT that the
  // message loop takes in turn.
  void PaintShownChanges();
  // True while the host itself writes to controls: their notifications are
  // echoes of its own writes, not the user's.
  bool ShowingChanges() const { return showing_ > 0; }

  HBRUSH Brush(COLORREF colour) { return brushes_.Get(colour); }
  const std::wstring& ApplicationName() const { return applicationName_; }
  WaitCursor& Cursor() const { return waitCursor_; }
  // A failure inside a handler that must not cross the window procedure.
  void ReportFailure(HWND owner, std::string_view what) const;

 private:
  std::wstring applicationName_;
  WaitCursor& waitCursor_;
  std::map<const ui::Dialog*, std::unique_ptr<DialogWindow>> windows_;
  int showing_ = 0;
  // The windows of the dialogs whose changes were shown and not yet painted.
  std::vector<HWND> unpainted_;
  BrushCache brushes_;
};

}  // namespace desktop

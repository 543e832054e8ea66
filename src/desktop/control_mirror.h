// Keeps the real controls of one dialog window and its control-state model in
// step. The kind of each real control comes from its window class, read once
// when the dialog is created, so the same code serves every dialog template.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "ui/control_model.h"

namespace desktop {

ui::ControlKind KindOfWindow(HWND control);

// A control of a dialog window and its kind; for a combo box, the items it
// shows; for an address control, its four fields left to right, found the
// first time they are written (they live as long as the control).
struct ControlWindow {
  HWND hwnd = nullptr;
  ui::ControlKind kind = ui::ControlKind::kUnknown;
  std::vector<std::string> shownItems{};
  std::vector<HWND> addressFields{};
};
// A dialog's controls by id; labels without an id of their own are left out.
using ControlWindows = std::map<int, ControlWindow>;

// Lists the dialog's controls and asks each its class, once.
ControlWindows ListControls(HWND dialog);

// Every control whose kind the model declares differently from its window's
// class, one line each ("control 1001: declared 3, window 4"); empty when
// all agree. A page that declares the wrong kind would be mirrored wrongly.
std::string DeclaredKindMismatches(const ControlWindows& controls, const ui::ControlModel& model);

// Seeds a newly created dialog's model from its template: a static or button
// that the model declares with an empty text takes the template's text, so
// declaring a label (for its colour, say) does not blank it.
void TakeTemplateTexts(const ControlWindows& controls, ui::ControlModel& model);

// Stores what the user can change (edit text, combo selection and edit
// field, IP address, tab selection, scroll position) into the model. A
// control the program changed after `shownRevision` keeps the model's value:
// it is the newer one and is yet to be shown.
void StoreUserInput(const ControlWindows& controls, ui::ControlModel& model,
                    std::uint64_t shownRevision);

// Shows on the real controls every control of the model changed after
// `shownRevision` (0: all of them). List items are rebuilt only when the
// items themselves changed. The caller keeps its own notifications from
// echoing back as the user's while this runs.
void ShowModelChanges(ControlWindows& controls, const ui::ControlModel& model,
                      std::uint64_t shownRevision);

}  // namespace desktop

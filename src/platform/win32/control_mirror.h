// Keeps the real controls of one dialog window and its control-state model in
// step. The kind of each real control comes from its window class, so the
// same code serves every dialog template.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/control_model.h"

namespace platform::win32 {

ui::ControlKind KindOfWindow(HWND control);

// Seeds a newly created dialog's model from its template: a static or button
// that the model declares with an empty text takes the template's text, so
// declaring a label (for its colour, say) does not blank it.
void TakeTemplateTexts(HWND dialog, ui::ControlModel& model);

// Stores what the user can change (edit text, combo selection and edit
// field, IP address, tab selection, scroll position) into the model. A
// control the program changed after `shownRevision` keeps the model's value:
// it is the newer one and is yet to be shown.
void StoreUserInput(HWND dialog, ui::ControlModel& model, std::uint64_t shownRevision);

// Shows on the real controls every control of the model changed after
// `shownRevision` (0: all of them). List items are rebuilt only when the
// items themselves changed. The caller keeps its own notifications from
// echoing back as the user's while this runs.
void ShowModelChanges(HWND dialog, const ui::ControlModel& model, std::uint64_t shownRevision);

}  // namespace platform::win32

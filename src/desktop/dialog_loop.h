// The modal loop of the main window, which is a modeless dialog: each queued
// message goes first past the dialog's pre-translation, then through the
// window's keyboard navigation (which reaches into its child pages), or
// straight to its window.
#pragma once

#include "desktop/dialog_windows.h"

namespace desktop {

// Runs until the dialog is ended or the thread is told to quit (the quit
// message is then posted again for an outer loop).
void RunDialogLoop(DialogWindow& window);

}  // namespace desktop

// The common open-file and save-file dialogs.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "ui/host.h"

namespace desktop {

// "NAME|pattern||" as the dialogs want it: the parts separated and ended by
// NUL characters, the whole ended by two.
std::wstring FileDialogFilter(std::string_view filter);

// The chosen full path in UTF-8, or nothing when the user cancelled. The
// read-only box is hidden; no default extension is added.
std::optional<std::string> ShowFileDialog(HWND owner, const ui::FileDialogOptions& options,
                                          bool save);

}  // namespace desktop

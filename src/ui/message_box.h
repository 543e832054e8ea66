// Message box styles and answers. The values are the platform's own, so the
// Win32 host passes them through unchanged.
#pragma once

namespace ui {

enum MessageBoxStyle : unsigned {
  kMbOk = 0x0,
  kMbOkCancel = 0x1,
  kMbYesNo = 0x4,
  kMbIconError = 0x10,
  kMbIconExclamation = 0x30,
  kMbButtonMask = 0xF,
  kMbIconMask = 0xF0,
};

enum MessageBoxAnswer : int {
  kIdOk = 1,
  kIdCancel = 2,
  kIdYes = 6,
  kIdNo = 7,
};

}  // namespace ui

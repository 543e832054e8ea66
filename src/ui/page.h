// A tabbed page of the main window: a modeless child dialog whose OK and
// Cancel handling do nothing, so Enter and Esc never end it.
#pragma once

#include <optional>
#include <string_view>

#include "ui/dialog.h"

namespace ui {

class Page : public Dialog {
 public:
  using Dialog::Dialog;
  void OnOK() override {}
  void OnCancel() override {}

  // The outcome of an exchange with the panel, in the form every page uses:
  // a failure has no caption of its own (the application's name shows) and
  // the error icon; a success has the caption "Status" and no icon.
  void ShowFailure(std::string_view text) { ShowMessage(text, std::nullopt, kMbOk | kMbIconError); }
  void ShowStatus(std::string_view text) { ShowMessage(text, "Status", kMbOk); }
};

}  // namespace ui

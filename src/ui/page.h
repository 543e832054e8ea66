// A tabbed page of the main window: a modeless child dialog whose OK and
// Cancel handling do nothing, so Enter and Esc never end it.
#pragma once

#include "ui/dialog.h"

namespace ui {

class Page : public Dialog {
 public:
  using Dialog::Dialog;
  void OnOK() override {}
  void OnCancel() override {}
};

}  // namespace ui

#include "ui/dialog.h"

#include <utility>

namespace ui {

namespace {
constexpr int kOkButtonId = 1;
constexpr int kCancelButtonId = 2;
}  // namespace

bool Dialog::Notify(int id, Notification code) {
  for (const MapEntry& entry : messageMap_) {
    if (entry.id == id && entry.code == code) {
      // Copied: a handler may add entries while it runs.
      Handler handler = entry.handler;
      handler();
      return true;
    }
  }
  if (code == Notification::kClicked && id == kOkButtonId) {
    OnOK();
    return true;
  }
  if (code == Notification::kClicked && id == kCancelButtonId) {
    OnCancel();
    return true;
  }
  return false;
}

void Dialog::On(int id, Notification code, Handler handler) {
  messageMap_.push_back({id, code, std::move(handler)});
}

void Dialog::SetEditText(int id, std::string text) {
  controls_.SetText(id, std::move(text));
  Notify(id, Notification::kEditChange);
}

int Dialog::ShowMessage(std::string_view text, std::optional<std::string_view> caption,
                        unsigned style) {
  return host_.ShowMessageBox(this, text, caption, style);
}

}  // namespace ui

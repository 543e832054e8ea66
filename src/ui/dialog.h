// Base of every dialog: bound to a template id, it owns the control-state
// model of its controls and a message map that routes notifications by
// control id to member handlers, as the platform's dialog classes do.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control_model.h"
#include "ui/host.h"
#include "ui/message_box.h"

namespace ui {

// Notifications a control sends to its dialog.
enum class Notification {
  kClicked,       // button pressed
  kSelChange,     // combo box selection changed by the user
  kEditChange,    // edit text changed (by the user or by the program)
  kFieldChanged,  // a field of an IP address control changed
  kTabSelChange,  // the selected tab changed
  kTabKeyDown,    // a key was pressed on a tab control
};

// Requests of a scroll bar, with the platform's values.
enum ScrollRequest : int {
  kSbLineUp = 0,
  kSbLineDown = 1,
  kSbPageUp = 2,
  kSbPageDown = 3,
  kSbThumbPosition = 4,
  kSbThumbTrack = 5,
  kSbTop = 6,
  kSbBottom = 7,
  kSbEndScroll = 8,
};

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  bool operator==(const Rgb&) const = default;
};

// Colours a static control is drawn with; the background is also the brush.
struct ControlColors {
  std::optional<Rgb> text;
  Rgb background;
  bool operator==(const ControlColors&) const = default;
};

class Dialog {
 public:
  Dialog(int templateId, Host& host) : templateId_(templateId), host_(host) {}
  virtual ~Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  int TemplateId() const { return templateId_; }
  ControlModel& Controls() { return controls_; }
  const ControlModel& Controls() const { return controls_; }
  Host& GetHost() { return host_; }

  // Delivers a notification of control `id`. Returns false when the message
  // map has no entry for it (OK and Cancel then go to OnOK and OnCancel).
  bool Notify(int id, Notification code);

  // Dialog initialisation; true lets the platform set the focus.
  virtual bool OnInitDialog() { return true; }
  // Enter and Esc inside a dialog; the defaults end it, as the platform does.
  virtual void OnOK() { host_.EndDialog(*this, kIdOk); }
  virtual void OnCancel() { host_.EndDialog(*this, kIdCancel); }
  virtual void OnVScroll(int /*request*/, int /*position*/, int /*scrollBarId*/) {}
  // Colours of a static control; nothing keeps the platform's colours.
  virtual std::optional<ControlColors> OnCtlColor(int /*id*/) { return std::nullopt; }
  // A system menu command: the id of the menu item chosen (the platform's
  // own low bits already removed). False hands it to the default handling.
  virtual bool OnSysCommand(unsigned /*command*/) { return false; }
  // The dialog moved to a screen of another DPI and the platform has
  // scaled its template; what the dialog placed in pixels is placed again.
  virtual void OnDpiChanged() {}

  // True when Enter and Esc pressed anywhere in this window go straight to
  // the window that has the focus instead of through the dialog's keyboard
  // navigation, so that they never reach its OK and Cancel. Tab and every
  // other key keep the navigation.
  virtual bool KeepsEnterAndEscFromNavigation() const { return false; }

 protected:
  using Handler = std::function<void()>;
  // Adds an entry to the message map.
  void On(int id, Notification code, Handler handler);

  // Sets an edit's text from the program; as on the platform, this raises
  // the edit's change notification.
  void SetEditText(int id, std::string text);
  // A modal message box owned by this dialog; returns the button pressed.
  int ShowMessage(std::string_view text, std::optional<std::string_view> caption = std::nullopt,
                  unsigned style = kMbOk);

 private:
  struct MapEntry {
    int id;
    Notification code;
    Handler handler;
  };

  int templateId_;
  Host& host_;
  ControlModel controls_;
  std::vector<MapEntry> messageMap_;
};

}  // namespace ui

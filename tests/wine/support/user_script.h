// Acting as the user inside a running dialog loop: steps run one by one from
// thread timer ticks, so each arrives through whatever loop is running at the
// time (the host's own loop, a message box's), as real input would. The next
// step is scheduled before a step runs, so a step that blocks in a modal box
// is followed by one that can answer that box.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace wine_test {

class UserScript {
 public:
  using Step = std::function<void()>;
  explicit UserScript(std::vector<Step> steps) : steps_(std::move(steps)) {}
  ~UserScript();
  UserScript(const UserScript&) = delete;
  UserScript& operator=(const UserScript&) = delete;

  // Starts the first step from the calling thread's next message loop.
  void Start();
  bool Finished() const { return next_ == steps_.size(); }

  // Called by a step whose moment has not come (a box not shown yet, say):
  // the step runs again at the next tick, up to about five seconds.
  static void Again();

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD);
  void ScheduleNext();

  std::vector<Step> steps_;
  std::size_t next_ = 0;
  int retries_ = 0;  // of the current step
  bool again_ = false;
  UINT_PTR timer_ = 0;
};

// What a user does to a control, through the control's own messages.
void TypeInto(HWND control, const std::wstring& text);
void ClickButton(HWND button);
// Picks a combo box item as the user does with the mouse: the selection
// changes and the combo box tells its dialog.
void PickComboItem(HWND combo, int index);

// The window text in UTF-8.
std::string TextOf(HWND window);
// The message box or other dialog that the current thread shows besides
// `except`, or null.
HWND FindOtherDialog(HWND except);

}  // namespace wine_test

#include "support/user_script.h"

#include <gtest/gtest.h>

#include "platform/win32/wide_text.h"

namespace wine_test {

namespace {

UserScript* running = nullptr;

}  // namespace

UserScript::~UserScript() {
  if (timer_ != 0) ::KillTimer(nullptr, timer_);
  if (running == this) running = nullptr;
}

void UserScript::Start() {
  running = this;
  ScheduleNext();
}

void UserScript::ScheduleNext() {
  timer_ = next_ < steps_.size() ? ::SetTimer(nullptr, 0, 20, &UserScript::Tick) : 0;
}

void UserScript::Again() {
  constexpr int kMaxRetries = 250;
  UserScript* self = running;
  if (self == nullptr || self->next_ == 0) return;
  if (++self->retries_ > kMaxRetries) {
    ADD_FAILURE() << "a scripted step waited in vain";
    self->retries_ = 0;
    return;
  }
  self->again_ = true;
  --self->next_;
  if (self->timer_ == 0) self->ScheduleNext();
}

void CALLBACK UserScript::Tick(HWND, UINT, UINT_PTR timer, DWORD) {
  ::KillTimer(nullptr, timer);
  UserScript* self = running;
  if (self == nullptr || self->timer_ != timer || self->Finished()) return;
  Step step = self->steps_[self->next_++];
  self->ScheduleNext();
  self->again_ = false;
  step();
  // A step that blocked may return after the script ended.
  if (running == self && !self->again_) self->retries_ = 0;
}

void TypeInto(HWND control, const std::wstring& text) {
  ::SetFocus(control);
  for (wchar_t c : text) ::SendMessageW(control, WM_CHAR, c, 1);
}

void ClickButton(HWND button) { ::SendMessageW(button, BM_CLICK, 0, 0); }

void PickComboItem(HWND combo, int index) {
  ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  ::SendMessageW(::GetParent(combo), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

std::string TextOf(HWND window) {
  wchar_t text[512] = {};
  ::GetWindowTextW(window, text, 512);
  return platform::win32::WideToUtf8(text);
}

HWND FindOtherDialog(HWND except) {
  struct Search {
    HWND except;
    HWND found;
  } search{except, nullptr};
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND hwnd, LPARAM parameter) -> BOOL {
        auto* s = reinterpret_cast<Search*>(parameter);
        wchar_t type[16] = {};
        ::GetClassNameW(hwnd, type, 16);
        if (hwnd != s->except && ::IsWindowVisible(hwnd) && ::lstrcmpW(type, L"#32770") == 0) {
          s->found = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace wine_test

#include "desktop/wait_cursor.h"

namespace desktop {

namespace {

HCURSOR WaitCursorImage() { return ::LoadCursorW(nullptr, IDC_WAIT); }

}  // namespace

void WaitCursor::BeginWait() {
  if (waits_++ == 0 && pauses_ == 0) cursorBefore_ = ::SetCursor(WaitCursorImage());
}

void WaitCursor::EndWait() {
  if (--waits_ == 0 && pauses_ == 0) ::SetCursor(cursorBefore_);
}

WaitCursor::Pause::Pause(WaitCursor& cursor) : cursor_(cursor) {
  if (cursor_.pauses_++ == 0 && cursor_.waits_ > 0) ::SetCursor(cursor_.cursorBefore_);
}

WaitCursor::Pause::~Pause() {
  if (--cursor_.pauses_ == 0 && cursor_.waits_ > 0) {
    cursor_.cursorBefore_ = ::SetCursor(WaitCursorImage());
  }
}

void WaitCursor::Show() { ::SetCursor(WaitCursorImage()); }

}  // namespace desktop

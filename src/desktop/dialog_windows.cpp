#include "desktop/dialog_windows.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/win32/wide_text.h"

namespace desktop {

using platform::win32::Utf8ToWide;

namespace {

// A top-level dialog appears centred over its owner, or on the screen.
void CentreTopLevel(HWND hwnd) {
  if (::GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) return;
  RECT area{};
  const HWND owner = ::GetWindow(hwnd, GW_OWNER);
  if (owner != nullptr && ::IsWindowVisible(owner) && !::IsIconic(owner)) {
    ::GetWindowRect(owner, &area);
  } else {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
    area = monitor.rcWork;
  }
  RECT own{};
  ::GetWindowRect(hwnd, &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  int x = area.left + (area.right - area.left - width) / 2;
  int y = area.top + (area.bottom - area.top - height) / 2;
  if (y < 0) y = 0;
  if (x < 0) x = 0;
  ::SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

DialogWindows::DialogWindows(std::wstring applicationName, WaitCursor& waitCursor)
    : applicationName_(std::move(applicationName)), waitCursor_(waitCursor) {}

DialogWindow* DialogWindows::Prepare(ui::Dialog& dialog, DialogWindow::Run run) {
  if (windows_.count(&dialog) != 0) return nullptr;
  auto window = std::make_unique<DialogWindow>();
  window->dialog = &dialog;
  window->windows = this;
  window->run = run;
  DialogWindow* prepared = window.get();
  windows_.emplace(&dialog, std::move(window));
  return prepared;
}

DialogWindow* DialogWindows::Find(const ui::Dialog& dialog) const {
  auto it = windows_.find(&dialog);
  return it == windows_.end() ? nullptr : it->second.get();
}

void DialogWindows::Forget(const ui::Dialog& dialog) { windows_.erase(&dialog); }

bool DialogWindows::Initialise(DialogWindow& window, HWND hwnd) {
  window.hwnd = hwnd;
  window.controls = ListControls(hwnd);
#ifndef NDEBUG
  const std::string mismatches = DeclaredKindMismatches(window.controls, window.dialog->Controls());
  if (!mismatches.empty()) ReportFailure(hwnd, "declared control kinds\n" + mismatches);
#endif
  TakeTemplateTexts(window.controls, window.dialog->Controls());
  const bool defaultFocus = window.dialog->OnInitDialog();
  // Its shown revision is still 0, so this shows its whole model.
  ShowModelChanges();
  CentreTopLevel(hwnd);
  return defaultFocus;
}

void DialogWindows::StoreUserInput() {
  for (const auto& [dialog, window] : windows_) {
    if (window->hwnd == nullptr) continue;
    desktop::StoreUserInput(window->controls, window->dialog->Controls(), window->shownRevision);
  }
}

void DialogWindows::ShowModelChanges() {
  // Collected first: the writes send messages, which must not meet a map
  // being changed.
  std::vector<DialogWindow*> live;
  for (const auto& [dialog, window] : windows_) {
    if (window->hwnd != nullptr) live.push_back(window.get());
  }
  struct Showing {
    int& depth;
    explicit Showing(int& d) : depth(d) { ++depth; }
    ~Showing() { --depth; }
  } showing(showing_);
  for (DialogWindow* window : live) {
    const ui::ControlModel& model = window->dialog->Controls();
    if (model.Revision() == window->shownRevision) continue;
    desktop::ShowModelChanges(window->controls, model, window->shownRevision);
    window->shownRevision = model.Revision();
    if (std::find(unpainted_.begin(), unpainted_.end(), window->hwnd) == unpainted_.end()) {
      unpainted_.push_back(window->hwnd);
    }
  }
}

void DialogWindows::PaintShownChanges() {
  // Taken first: painting sends messages, which may show changes again.
  const std::vector<HWND> windows = std::exchange(unpainted_, {});
  for (const HWND hwnd : windows) {
    if (::IsWindow(hwnd)) ::RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
}

void DialogWindows::ReportFailure(HWND owner, std::string_view what) const {
  const std::wstring text = L"Internal error: " + Utf8ToWide(what);
  ::MessageBoxW(owner, text.c_str(), applicationName_.c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace desktop

#include "desktop/win32_host.h"

#include "desktop/dialog_loop.h"
#include "desktop/dialog_procedure.h"
#include "desktop/file_dialogs.h"
#include "desktop/window_dpi.h"
#include "platform/win32/wide_text.h"

namespace desktop {

using platform::win32::Utf8ToWide;
using platform::win32::WideToUtf8;

namespace {

std::wstring ProgramName() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return L"SetupTool";
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::size_t slash = path.find_last_of(L"\\/");
  std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos && dot > 0) name.resize(dot);
  return name;
}

}  // namespace

Win32Host::Win32Host(HINSTANCE instance, WaitCursor& waitCursor)
    : instance_(instance), windows_(ProgramName(), waitCursor) {}

Win32Host::~Win32Host() {
  for (const auto& [key, icon] : icons_) ::DestroyIcon(icon);
}

HWND Win32Host::WindowOf(const ui::Dialog& dialog) const {
  const DialogWindow* window = windows_.Find(dialog);
  return window == nullptr ? nullptr : window->hwnd;
}

std::string Win32Host::ApplicationName() const { return WideToUtf8(windows_.ApplicationName()); }

int Win32Host::ShowMessageBox(ui::Dialog* owner, std::string_view text,
                              std::optional<std::string_view> caption, unsigned style) {
  windows_.ShowModelChanges();
  const WaitCursor::Pause userAnswers(windows_.Cursor());
  const HWND ownerWindow = owner == nullptr ? nullptr : WindowOf(*owner);
  const std::wstring wideText = Utf8ToWide(text);
  const std::wstring wideCaption = caption ? Utf8ToWide(*caption) : windows_.ApplicationName();
  return ::MessageBoxW(ownerWindow, wideText.c_str(), wideCaption.c_str(), style);
}

std::optional<std::string> Win32Host::ShowOpenFileDialog(ui::Dialog& owner,
                                                         const ui::FileDialogOptions& options) {
  windows_.ShowModelChanges();
  const WaitCursor::Pause userAnswers(windows_.Cursor());
  return ShowFileDialog(WindowOf(owner), options, false);
}

std::optional<std::string> Win32Host::ShowSaveFileDialog(ui::Dialog& owner,
                                                         const ui::FileDialogOptions& options) {
  windows_.ShowModelChanges();
  const WaitCursor::Pause userAnswers(windows_.Cursor());
  return ShowFileDialog(WindowOf(owner), options, true);
}

bool Win32Host::CreateChildDialog(ui::Dialog& child, ui::Dialog& parent) {
  const HWND parentWindow = WindowOf(parent);
  if (parentWindow == nullptr) return false;
  DialogWindow* window = windows_.Prepare(child, DialogWindow::Run::kChild);
  if (window == nullptr) return false;
  const HWND created =
      ::CreateDialogParamW(instance_, MAKEINTRESOURCEW(child.TemplateId()), parentWindow,
                           DialogProcedure, reinterpret_cast<LPARAM>(window));
  if (created == nullptr) {
    windows_.Forget(child);
    return false;
  }
  return true;
}

int Win32Host::RunModalDialog(ui::Dialog& dialog, ui::Dialog* owner) {
  windows_.ShowModelChanges();
  const LPCWSTR name = MAKEINTRESOURCEW(dialog.TemplateId());
  if (owner != nullptr) {
    DialogWindow* window = windows_.Prepare(dialog, DialogWindow::Run::kModalBox);
    if (window == nullptr) return -1;
    const HWND ownerWindow = WindowOf(*owner);
    const HWND topLevel = ownerWindow ? ::GetAncestor(ownerWindow, GA_ROOT) : nullptr;
    const INT_PTR result = ::DialogBoxParamW(instance_, name, topLevel, DialogProcedure,
                                             reinterpret_cast<LPARAM>(window));
    windows_.Forget(dialog);  // when it never got a window
    return static_cast<int>(result);
  }

  DialogWindow* window = windows_.Prepare(dialog, DialogWindow::Run::kOwnLoop);
  if (window == nullptr) return -1;
  const HWND hwnd = ::CreateDialogParamW(instance_, name, nullptr, DialogProcedure,
                                         reinterpret_cast<LPARAM>(window));
  if (hwnd == nullptr) {
    windows_.Forget(dialog);
    return -1;
  }
  window->result = -1;  // stays so when the thread is told to quit
  RunDialogLoop(*window);
  const int result = window->result;
  ::DestroyWindow(hwnd);  // and its pages; their records go with them
  return result;
}

void Win32Host::EndDialog(ui::Dialog& dialog, int result) {
  DialogWindow* window = windows_.Find(dialog);
  if (window == nullptr || window->hwnd == nullptr) return;
  switch (window->run) {
    case DialogWindow::Run::kModalBox:
      window->ended = true;
      ::EndDialog(window->hwnd, result);
      break;
    case DialogWindow::Run::kOwnLoop:
      window->ended = true;
      window->result = result;
      ::PostMessageW(window->hwnd, WM_NULL, 0, 0);  // wakes the loop
      break;
    case DialogWindow::Run::kChild:
      break;  // a page lives as long as its parent
  }
}

ui::Rect Win32Host::ClientRect(const ui::Dialog& dialog) {
  RECT client{};
  if (const HWND hwnd = WindowOf(dialog)) ::GetClientRect(hwnd, &client);
  return {client.left, client.top, client.right, client.bottom};
}

int Win32Host::ScaleToDpi(const ui::Dialog& dialog, int pixelsAt96Dpi) {
  return ::MulDiv(pixelsAt96Dpi, static_cast<int>(WindowDpi(WindowOf(dialog))), 96);
}

void Win32Host::MoveDialog(ui::Dialog& dialog, const ui::Rect& where, bool repaint) {
  const HWND hwnd = WindowOf(dialog);
  if (hwnd == nullptr) return;
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (!repaint) flags |= SWP_NOREDRAW;
  ::SetWindowPos(hwnd, nullptr, where.left, where.top, where.Width(), where.Height(), flags);
}

void Win32Host::ShowDialog(ui::Dialog& dialog, bool visible) {
  if (const HWND hwnd = WindowOf(dialog)) ::ShowWindow(hwnd, visible ? SW_SHOW : SW_HIDE);
}

void Win32Host::RepaintDialog(ui::Dialog& dialog) {
  if (const HWND hwnd = WindowOf(dialog)) {
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
}

HICON Win32Host::Icon(int iconId, int size) {
  const auto key = std::make_pair(iconId, size);
  if (auto it = icons_.find(key); it != icons_.end()) return it->second;
  const auto icon = static_cast<HICON>(
      ::LoadImageW(instance_, MAKEINTRESOURCEW(iconId), IMAGE_ICON, size, size, 0));
  if (icon != nullptr) icons_.emplace(key, icon);
  return icon;
}

void Win32Host::SetDialogIcon(ui::Dialog& dialog, int iconId) {
  DialogWindow* window = windows_.Find(dialog);
  if (window == nullptr || window->hwnd == nullptr) return;
  const HICON big = Icon(iconId, ::GetSystemMetrics(SM_CXICON));
  const HICON smallIcon = Icon(iconId, ::GetSystemMetrics(SM_CXSMICON));
  ::SendMessageW(window->hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  ::SendMessageW(window->hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
  window->icon = big;
}

bool Win32Host::AppendSystemMenuItem(ui::Dialog& dialog, unsigned command, std::string_view text) {
  const HWND hwnd = WindowOf(dialog);
  if (hwnd == nullptr) return false;
  const HMENU menu = ::GetSystemMenu(hwnd, FALSE);
  if (menu == nullptr) return false;
  const std::wstring wide = Utf8ToWide(text);
  ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(menu, MF_STRING, command, wide.c_str());
  return true;
}

std::string Win32Host::LoadResourceString(int id) {
  const wchar_t* text = nullptr;
  // With no buffer, the string table's own read-only text and its length.
  const int length =
      ::LoadStringW(instance_, static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || text == nullptr) return {};
  return WideToUtf8(std::wstring_view(text, static_cast<std::size_t>(length)));
}

}  // namespace desktop

#include "desktop/file_dialogs.h"

#include <commdlg.h>

#include <vector>

#include "platform/win32/wide_text.h"

namespace desktop {

using platform::win32::Utf8ToWide;
using platform::win32::WideToUtf8;

namespace {

// Room for long paths; the dialogs refuse a choice that does not fit.
constexpr std::size_t kPathCapacity = 32768;

}  // namespace

std::wstring FileDialogFilter(std::string_view filter) {
  std::wstring converted = Utf8ToWide(filter);
  for (wchar_t& c : converted) {
    if (c == L'|') c = L'\0';
  }
  // Whatever the text ended with, the list ends with two NUL characters.
  while (converted.size() < 2 || converted[converted.size() - 1] != L'\0' ||
         converted[converted.size() - 2] != L'\0') {
    converted.push_back(L'\0');
  }
  return converted;
}

std::optional<std::string> ShowFileDialog(HWND owner, const ui::FileDialogOptions& options,
                                          bool save) {
  const std::wstring filter = FileDialogFilter(options.filter);
  std::vector<wchar_t> path(kPathCapacity, L'\0');
  const std::wstring initial = Utf8ToWide(options.initialName);
  if (initial.size() < kPathCapacity) initial.copy(path.data(), initial.size());

  OPENFILENAMEW request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = owner;
  request.lpstrFilter = options.filter.empty() ? nullptr : filter.c_str();
  request.nFilterIndex = 1;
  request.lpstrFile = path.data();
  request.nMaxFile = static_cast<DWORD>(path.size());
  request.Flags = OFN_EXPLORER | OFN_HIDEREADONLY;
  if (options.overwritePrompt) request.Flags |= OFN_OVERWRITEPROMPT;

  const BOOL chosen = save ? ::GetSaveFileNameW(&request) : ::GetOpenFileNameW(&request);
  if (!chosen) return std::nullopt;
  return WideToUtf8(path.data());
}

}  // namespace desktop

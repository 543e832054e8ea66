#include "desktop/control_mirror.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/wide_text.h"

namespace desktop {

using platform::win32::Utf8ToWide;
using platform::win32::WideToUtf8;

namespace {

std::wstring WindowText(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(window, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

bool SameClass(const wchar_t* actual, const wchar_t* expected) {
  // A versioned class name ("6.0.0.0!Button") counts as its base name.
  if (const wchar_t* bang = std::wcsrchr(actual, L'!')) actual = bang + 1;
  return ::lstrcmpiW(actual, expected) == 0;
}

bool ShowsImage(HWND staticControl) {
  const LONG type = ::GetWindowLongW(staticControl, GWL_STYLE) & SS_TYPEMASK;
  return type == SS_ICON || type == SS_BITMAP || type == SS_ENHMETAFILE;
}

// True when the text was set: the control then redraws itself.
bool SetTextIfDifferent(HWND control, const std::string& text) {
  const std::wstring wide = Utf8ToWide(text);
  if (WindowText(control) == wide) return false;
  ::SetWindowTextW(control, wide.c_str());
  return true;
}

// A list put in again whole: the control draws itself once at the end, not
// after every item (under Wine each draw asks the window server).
void RebuildComboList(HWND combo, const std::vector<std::string>& items) {
  ::SendMessageW(combo, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) {
    const std::wstring wide = Utf8ToWide(item);
    ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
  ::SendMessageW(combo, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(combo, nullptr, TRUE);
}

void ShowComboBox(ControlWindow& window, const ui::ControlState& state, bool itemsChanged) {
  const HWND combo = window.hwnd;
  // Pages set lists again with the items they hold (the Setting page's
  // CAMERA Select lists on every scroll); only the user's picks change a
  // list's selection, never its items, so the items last shown are known.
  if (itemsChanged && window.shownItems != state.items) {
    RebuildComboList(combo, state.items);
    window.shownItems = state.items;
  }
  if (::SendMessageW(combo, CB_GETCURSEL, 0, 0) != state.selection) {
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(state.selection), 0);
  }
  // The edit field of a drop-down combo may hold text of its own.
  SetTextIfDifferent(combo, state.text);
}

// The four fields of an address control, left to right; fewer when the
// control is not made of four edits.
std::vector<HWND> AddressFields(HWND control) {
  std::vector<std::pair<LONG, HWND>> fields;
  for (HWND child = ::GetWindow(control, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[16] = {};
    if (::GetClassNameW(child, name, 16) == 0 || !SameClass(name, L"Edit")) return {};
    RECT where{};
    ::GetWindowRect(child, &where);
    fields.emplace_back(where.left, child);
  }
  std::sort(fields.begin(), fields.end());
  std::vector<HWND> ordered;
  for (const auto& field : fields) ordered.push_back(field.second);
  return ordered;
}

// An address shown already in four filled fields is left as it is. Setting
// an address writes all four fields, each an edit that redraws and asks the
// window server; when the fields are all filled, only those whose number
// differs are written (a scroll of the Setting page mostly moves the last).
// The fields are looked up once: under Wine each step through a window's
// children asks the window server too.
void ShowIpAddress(ControlWindow& window, DWORD address) {
  const HWND control = window.hwnd;
  DWORD shown = 0;
  const LRESULT filled =
      ::SendMessageW(control, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&shown));
  if (filled == 4 && shown == address) return;
  if (filled == 4 && window.addressFields.empty()) window.addressFields = AddressFields(control);
  const std::vector<HWND>& fields = window.addressFields;
  if (filled != 4 || fields.size() != 4) {
    ::SendMessageW(control, IPM_SETADDRESS, 0, static_cast<LPARAM>(address));
    return;
  }
  for (int field = 0; field < 4; ++field) {
    const int shift = 24 - 8 * field;
    const DWORD number = (address >> shift) & 0xFF;
    if (((shown >> shift) & 0xFF) == number) continue;
    ::SetWindowTextW(fields[static_cast<std::size_t>(field)], std::to_wstring(number).c_str());
  }
}

void ShowTabControl(HWND tab, const ui::ControlState& state, bool itemsChanged) {
  if (itemsChanged) {
    ::SendMessageW(tab, TCM_DELETEALLITEMS, 0, 0);
    int index = 0;
    for (const std::string& item : state.items) {
      std::wstring wide = Utf8ToWide(item);
      TCITEMW entry{};
      entry.mask = TCIF_TEXT;
      entry.pszText = wide.data();
      ::SendMessageW(tab, TCM_INSERTITEMW, static_cast<WPARAM>(index++),
                     reinterpret_cast<LPARAM>(&entry));
    }
  }
  if (::SendMessageW(tab, TCM_GETCURSEL, 0, 0) != state.selection) {
    ::SendMessageW(tab, TCM_SETCURSEL, static_cast<WPARAM>(state.selection), 0);
  }
}

// Range and position in one call, so that the bar is drawn once.
void ShowScrollBar(HWND bar, const ui::ControlState& state) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_POS;
  info.nMin = state.scrollMin;
  info.nMax = state.scrollMax;
  info.nPos = state.scrollPos;
  ::SetScrollInfo(bar, SB_CTL, &info, TRUE);
}

void ShowControl(ControlWindow& window, const ui::ControlState& state, bool itemsChanged) {
  const HWND control = window.hwnd;
  switch (window.kind) {
    case ui::ControlKind::kStatic:
      // Its colours may have changed instead; they are asked for at paint.
      if (ShowsImage(control) || !SetTextIfDifferent(control, state.text)) {
        ::InvalidateRect(control, nullptr, TRUE);
      }
      break;
    case ui::ControlKind::kButton:
      SetTextIfDifferent(control, state.text);
      break;
    case ui::ControlKind::kEdit:
      ::SendMessageW(control, EM_LIMITTEXT, static_cast<WPARAM>(state.textLimit), 0);
      SetTextIfDifferent(control, state.text);
      break;
    case ui::ControlKind::kComboBox:
      ShowComboBox(window, state, itemsChanged);
      break;
    case ui::ControlKind::kIpAddress:
      ShowIpAddress(window, state.address);
      break;
    case ui::ControlKind::kTab:
      ShowTabControl(control, state, itemsChanged);
      break;
    case ui::ControlKind::kScrollBar:
      ShowScrollBar(control, state);
      break;
    case ui::ControlKind::kUnknown:
      break;
  }
  if ((::IsWindowEnabled(control) != FALSE) != state.enabled) {
    ::EnableWindow(control, state.enabled ? TRUE : FALSE);
  }
  const bool visible = (::GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
  if (visible != state.visible) ::ShowWindow(control, state.visible ? SW_SHOWNA : SW_HIDE);
}

}  // namespace

ui::ControlKind KindOfWindow(HWND control) {
  wchar_t name[64] = {};
  if (::GetClassNameW(control, name, 64) == 0) return ui::ControlKind::kUnknown;
  if (SameClass(name, L"Static")) return ui::ControlKind::kStatic;
  if (SameClass(name, L"Button")) return ui::ControlKind::kButton;
  if (SameClass(name, L"Edit")) return ui::ControlKind::kEdit;
  if (SameClass(name, L"ComboBox")) return ui::ControlKind::kComboBox;
  if (SameClass(name, WC_IPADDRESSW)) return ui::ControlKind::kIpAddress;
  if (SameClass(name, WC_TABCONTROLW)) return ui::ControlKind::kTab;
  if (SameClass(name, L"ScrollBar")) return ui::ControlKind::kScrollBar;
  return ui::ControlKind::kUnknown;
}

ControlWindows ListControls(HWND dialog) {
  ControlWindows controls;
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    const int id = ::GetDlgCtrlID(child);
    if (id <= 0 || id == 0xFFFF) continue;  // no id, or a label's
    controls.emplace(id, ControlWindow{child, KindOfWindow(child)});
  }
  return controls;
}

std::string DeclaredKindMismatches(const ControlWindows& controls, const ui::ControlModel& model) {
  std::string mismatches;
  model.ForEach([&](int id, const ui::ControlState& state) {
    const auto control = controls.find(id);
    if (control == controls.end() || control->second.kind == state.kind) return;
    mismatches += "control " + std::to_string(id) + ": declared " +
                  std::to_string(static_cast<int>(state.kind)) + ", window " +
                  std::to_string(static_cast<int>(control->second.kind)) + "\n";
  });
  return mismatches;
}

void TakeTemplateTexts(const ControlWindows& controls, ui::ControlModel& model) {
  for (const auto& [id, control] : controls) {
    if (!model.Has(id) || !model.Text(id).empty()) continue;
    if (control.kind != ui::ControlKind::kStatic && control.kind != ui::ControlKind::kButton) {
      continue;
    }
    if (control.kind == ui::ControlKind::kStatic && ShowsImage(control.hwnd)) continue;
    model.StoreUserText(id, WideToUtf8(WindowText(control.hwnd)));
  }
}

void StoreUserInput(const ControlWindows& controls, ui::ControlModel& model,
                    std::uint64_t shownRevision) {
  for (const auto& [id, control] : controls) {
    const HWND child = control.hwnd;
    const ui::ControlState& state = model.State(id);
    if (state.revision > shownRevision) continue;
    switch (control.kind) {
      case ui::ControlKind::kEdit:
        model.StoreUserText(id, WideToUtf8(WindowText(child)));
        break;
      case ui::ControlKind::kComboBox: {
        const auto selection = static_cast<int>(::SendMessageW(child, CB_GETCURSEL, 0, 0));
        model.StoreUserSelection(id, selection, WideToUtf8(WindowText(child)));
        break;
      }
      case ui::ControlKind::kIpAddress: {
        DWORD address = 0;  // blank fields read as 0
        ::SendMessageW(child, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
        model.StoreUserAddress(id, address);
        break;
      }
      case ui::ControlKind::kTab: {
        const auto selection = static_cast<int>(::SendMessageW(child, TCM_GETCURSEL, 0, 0));
        model.StoreUserSelection(id, selection, state.text);
        break;
      }
      case ui::ControlKind::kScrollBar:
        model.StoreUserScrollPos(id, ::GetScrollPos(child, SB_CTL));
        break;
      default:
        break;
    }
  }
}

void ShowModelChanges(ControlWindows& controls, const ui::ControlModel& model,
                      std::uint64_t shownRevision) {
  model.ForEach([&](int id, const ui::ControlState& state) {
    if (state.revision <= shownRevision) return;
    const auto control = controls.find(id);
    if (control == controls.end()) return;
    ShowControl(control->second, state, state.itemsRevision > shownRevision);
  });
}

}  // namespace desktop

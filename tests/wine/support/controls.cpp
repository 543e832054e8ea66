#include "controls.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <thread>

#include "window.h"

namespace wine_driver {

namespace {

void Notify(HWND control, WORD code, Until until) {
  const WPARAM wparam = MAKEWPARAM(IdOf(control), code);
  const auto lparam = reinterpret_cast<LPARAM>(control);
  if (until == Until::kPosted) {
    Post(GetParent(control), WM_COMMAND, wparam, lparam);
  } else {
    Send(GetParent(control), WM_COMMAND, wparam, lparam);
  }
}

void Deliver(HWND window, UINT message, WPARAM wparam, LPARAM lparam, Until until) {
  if (until == Until::kPosted) {
    Post(window, message, wparam, lparam);
  } else {
    Send(window, message, wparam, lparam);
  }
}

// The four edit fields of an IP address control, left to right.
std::array<HWND, 4> IpFields(HWND control) {
  std::vector<HWND> fields = Children(control);
  if (fields.size() != 4) throw DriverError("not an IP address control: " + Describe(control));
  std::sort(fields.begin(), fields.end(),
            [](HWND a, HWND b) { return ScreenRect(a).left < ScreenRect(b).left; });
  return {fields[0], fields[1], fields[2], fields[3]};
}

}  // namespace

void Click(HWND button, Until until) {
  if (!IsShown(button)) throw DriverError("cannot click hidden " + Describe(button));
  if (!IsEnabled(button)) throw DriverError("cannot click disabled " + Describe(button));
  Deliver(button, BM_CLICK, 0, 0, until);
}

void PressKey(HWND target, UINT virtualKey) {
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
  Post(target, WM_KEYDOWN, virtualKey, 1 | scan);
  Post(target, WM_KEYUP, virtualKey, 1 | scan | (LPARAM{1} << 30) | (LPARAM{1} << 31));
}

void Settle(HWND anyWindowOfProgram, Duration settle) {
  Sleep(static_cast<DWORD>(settle.count()));
  if (IsWindow(anyWindowOfProgram)) Send(anyWindowOfProgram, WM_NULL);
}

void TypeText(HWND edit, std::wstring_view text, Until until) {
  Send(edit, EM_SETSEL, 0, -1);
  if (text.empty()) {
    Deliver(edit, WM_CHAR, VK_BACK, 1, until);
    return;
  }
  for (wchar_t c : text) Deliver(edit, WM_CHAR, c, 1, until);
}

void SetText(HWND edit, std::wstring_view text, Until until) {
  const std::wstring copy(text);
  if (until == Until::kHandled) {
    Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()));
    return;
  }
  // A message that carries a pointer cannot be posted: it is sent from a
  // thread of its own, which ends once the program has handled it (or the
  // wait for that times out), while the caller goes on as after a post.
  if (!IsWindow(edit)) throw DriverError("message to a window that is gone");
  std::thread([edit, copy] {
    TrySend(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()), kTimeout);
  }).detach();
}

void TypeAt(HWND edit, int position, std::wstring_view text, Until until) {
  const int caret = position < 0 ? static_cast<int>(Send(edit, WM_GETTEXTLENGTH)) : position;
  Send(edit, EM_SETSEL, caret, caret);
  for (wchar_t c : text) Deliver(edit, WM_CHAR, c, 1, until);
}

std::vector<std::wstring> ComboItems(HWND combo) {
  std::vector<std::wstring> items;
  const auto count = static_cast<int>(Send(combo, CB_GETCOUNT));
  for (int i = 0; i < count; ++i) {
    const auto length = static_cast<std::size_t>(Send(combo, CB_GETLBTEXTLEN, i));
    std::wstring item(length + 1, L'\0');
    Send(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
    item.resize(length);
    items.push_back(item);
  }
  return items;
}

int ComboSelection(HWND combo) { return static_cast<int>(Send(combo, CB_GETCURSEL)); }

void PickComboItem(HWND combo, int index, Until until) {
  if (!IsShown(combo) || !IsEnabled(combo)) {
    throw DriverError("cannot pick from " + Describe(combo));
  }
  if (Send(combo, CB_SETCURSEL, index) == CB_ERR) {
    throw DriverError("no item " + std::to_string(index) + " in " + Describe(combo));
  }
  Notify(combo, CBN_SELCHANGE, until);
}

std::vector<std::wstring> TabTexts(HWND tab) {
  constexpr std::size_t kMaxText = 256;
  RemoteMemory memory(tab, sizeof(TCITEMW) + kMaxText * sizeof(wchar_t));
  std::vector<std::wstring> texts;
  const auto count = static_cast<int>(Send(tab, TCM_GETITEMCOUNT));
  for (int i = 0; i < count; ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = reinterpret_cast<LPWSTR>(memory.At(sizeof item));
    item.cchTextMax = kMaxText;
    memory.Write(&item, sizeof item);
    const wchar_t none = 0;
    memory.Write(&none, sizeof none, sizeof item);
    if (!Send(tab, TCM_GETITEMW, i, memory.At())) {
      throw DriverError("cannot read tab " + std::to_string(i));
    }
    wchar_t text[kMaxText];
    memory.Read(text, sizeof text, sizeof item);
    text[kMaxText - 1] = 0;
    texts.emplace_back(text);
  }
  return texts;
}

int SelectedTab(HWND tab) { return static_cast<int>(Send(tab, TCM_GETCURSEL)); }

RECT TabItemRect(HWND tab, int index) {
  RECT item{};
  RemoteMemory memory(tab, sizeof(RECT));
  Send(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), memory.At());
  memory.Read(&item, sizeof item);
  return item;
}

void PostClickAt(HWND window, const RECT& area) {
  const LPARAM at = MAKELPARAM((area.left + area.right) / 2, (area.top + area.bottom) / 2);
  Post(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  Post(window, WM_LBUTTONUP, 0, at);
}

void SelectTab(HWND tab, int index) {
  // Moving the focus to a tab selects it and notifies the parent, as a
  // click or the arrow keys do.
  Send(tab, TCM_SETCURFOCUS, index);
  if (SelectedTab(tab) != index) {
    throw DriverError("tab " + std::to_string(index) + " could not be selected");
  }
}

IpAddressValue ReadIpAddress(HWND control) {
  RemoteMemory memory(control, sizeof(DWORD));
  const DWORD zero = 0;
  memory.Write(&zero, sizeof zero);
  const auto filled = static_cast<int>(Send(control, IPM_GETADDRESS, 0, memory.At()));
  DWORD value = 0;
  memory.Read(&value, sizeof value);
  return {filled, value};
}

std::wstring IpAddressText(HWND control) {
  std::wstring text;
  bool any = false;
  const auto fields = IpFields(control);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::wstring part = Text(fields[i]);
    any = any || !part.empty();
    text += (i ? L"." : L"") + part;
  }
  return any ? text : std::wstring();
}

void TypeIpAddress(HWND control, std::wstring_view dotted) {
  std::array<std::wstring, 4> parts;
  if (!dotted.empty()) {
    std::size_t field = 0;
    for (wchar_t c : dotted) {
      if (c != L'.') {
        parts[field] += c;
      } else if (++field == parts.size()) {
        throw DriverError("not an address: " + Narrow(dotted));
      }
    }
  }
  const auto fields = IpFields(control);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    SetText(fields[i], parts[i]);
    // Leaving the field: the control checks it and reports the change.
    Send(control, WM_COMMAND, MAKEWPARAM(IdOf(fields[i]), EN_KILLFOCUS),
         reinterpret_cast<LPARAM>(fields[i]));
  }
}

std::wstring DottedText(std::uint32_t address) {
  wchar_t text[16];
  std::swprintf(text, 16, L"%u.%u.%u.%u", (address >> 24) & 0xFF, (address >> 16) & 0xFF,
                (address >> 8) & 0xFF, address & 0xFF);
  return text;
}

}  // namespace wine_driver

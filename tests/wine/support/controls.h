// Operating the program's controls as a user does, through the messages that
// a click, a pick from a list, typing or a key press produces.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "wait.h"

namespace wine_driver {

// Whether an action waits for the program to finish handling it. Use
// kPosted when the handler opens a modal box or dialog: it returns only
// when that is closed.
enum class Until { kHandled, kPosted };

// Clicks a button. Refuses (throws) when the button is hidden or disabled,
// since a user could not click it then.
void Click(HWND button, Until until = Until::kHandled);

// Presses and releases a key with the window as the target of the input.
void PressKey(HWND target, UINT virtualKey);

// Gives the program time to handle posted input, then makes sure its
// thread answers again.
void Settle(HWND anyWindowOfProgram, Duration settle = kSettle);

// Edits: replaces the whole text by typing it (an empty text is a
// backspace over the selection), or sets it at once with WM_SETTEXT (as a
// paste or another program does). With kPosted, SetText does not wait for
// the program to finish handling the change (it may open a box), and
// TypeText posts every character at once.
void TypeText(HWND edit, std::wstring_view text, Until until = Until::kHandled);
void SetText(HWND edit, std::wstring_view text, Until until = Until::kHandled);
// Puts the caret before the character at `position` (-1: after the last
// one), as a click into the text does, and types `text` there, keeping what
// the edit holds. With kPosted every character is posted at once: use it for
// a last character that opens a box.
void TypeAt(HWND edit, int position, std::wstring_view text, Until until = Until::kHandled);

// Combo boxes: the list, the selected index (-1 for none), and picking an
// item as from the drop-down list.
std::vector<std::wstring> ComboItems(HWND combo);
int ComboSelection(HWND combo);
void PickComboItem(HWND combo, int index, Until until = Until::kHandled);

// Tab controls: texts in index order, the selected index, and selecting a
// tab (the control tells its parent that the selection changed).
std::vector<std::wstring> TabTexts(HWND tab);
int SelectedTab(HWND tab);
void SelectTab(HWND tab, int index);
// A tab's item, in the tab control's client coordinates.
RECT TabItemRect(HWND tab, int index);
// Posts a mouse click in the middle of `area` of a window (client
// coordinates): it waits in the program's queue while the program is busy,
// where a sent message would not be answered.
void PostClickAt(HWND window, const RECT& area);

// IP address controls.
struct IpAddressValue {
  int filledFields;     // fields that are not blank
  std::uint32_t value;  // first octet in the high byte, blank fields as 0
};
IpAddressValue ReadIpAddress(HWND control);
// The four fields as shown, blank ones empty, joined by dots; "" when all
// four are blank.
std::wstring IpAddressText(HWND control);
// Types "a.b.c.d" field by field, leaving each field as a user does; an
// empty text or an empty part clears that field.
void TypeIpAddress(HWND control, std::wstring_view dotted);

// The text of an IPv4 address held with the first octet in the high byte.
std::wstring DottedText(std::uint32_t address);

}  // namespace wine_driver

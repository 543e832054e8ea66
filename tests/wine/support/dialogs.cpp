#include "dialogs.h"

#include <dlgs.h>

#include <cstdint>
#include <limits>
#include <optional>

#include "controls.h"
#include "screen.h"
#include "window.h"

namespace wine_driver {

namespace {

// Ids of the message box's controls: the text static is 0xFFFF on Windows
// and on Wine; the icon static is 0x14 on Windows and stc1 on Wine.
constexpr int kTextId = 0xFFFF;
constexpr int kIconIds[] = {0x14, stc1};
constexpr int kButtonIds[] = {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO};

// The file name field of a file dialog: a combo box in the dialogs of
// Windows 2000 and later, an edit in older ones.
HWND FileNameField(HWND dialog) {
  HWND name = FindChild(dialog, cmb13);
  return name ? name : Child(dialog, edt1);
}

HWND IconStatic(HWND box) {
  for (int id : kIconIds) {
    if (HWND icon = FindChild(box, id); icon && ClassOf(icon) == L"Static") return icon;
  }
  return nullptr;
}

// One comparison of the screen with the standard icons; kUnknown when none
// is close (the box may not be painted yet).
BoxIcon MatchIcon(HWND icon) {
  const RECT rect = ScreenRect(icon);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return BoxIcon::kUnknown;

  const Pixels screen(rect);

  // The static paints its background, then the icon at the control's size.
  const std::uint32_t background = screen.at(0, 0);
  const struct {
    BoxIcon kind;
    LPCWSTR id;
  } candidates[] = {{BoxIcon::kError, MAKEINTRESOURCEW(32513)},        // IDI_HAND
                    {BoxIcon::kExclamation, MAKEINTRESOURCEW(32515)},  // IDI_EXCLAMATION
                    {BoxIcon::kInformation, MAKEINTRESOURCEW(32516)},  // IDI_ASTERISK
                    {BoxIcon::kQuestion, MAKEINTRESOURCEW(32514)}};    // IDI_QUESTION
  BoxIcon best = BoxIcon::kUnknown;
  double bestDifference = std::numeric_limits<double>::max();
  for (const auto& candidate : candidates) {
    Pixels drawn(width, height);
    drawn.Fill(background);
    DrawIconEx(drawn.dc(), 0, 0, LoadIconW(nullptr, candidate.id), width, height, 0, nullptr,
               DI_NORMAL);
    const double difference = screen.Difference(drawn);
    if (difference < bestDifference) {
      bestDifference = difference;
      best = candidate.kind;
    }
  }
  // The standard icons differ from each other by far more than this.
  constexpr double kSameIcon = 8.0;
  return bestDifference < kSameIcon ? best : BoxIcon::kUnknown;
}

}  // namespace

std::string ToString(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::kNone:
      return "no icon";
    case BoxIcon::kError:
      return "error icon";
    case BoxIcon::kExclamation:
      return "exclamation icon";
    case BoxIcon::kInformation:
      return "information icon";
    case BoxIcon::kQuestion:
      return "question icon";
    case BoxIcon::kUnknown:
      break;
  }
  return "unrecognised icon";
}

bool IsMessageBox(HWND window) {
  if (ClassOf(window) != L"#32770" || !IsShown(window)) return false;
  HWND text = FindChild(window, kTextId);
  return text && ClassOf(text) == L"Static" && IconStatic(window);
}

BoxIcon ReadBoxIcon(HWND box) {
  HWND icon = IconStatic(box);
  if (!icon || !IsShown(icon) || !Send(icon, STM_GETICON)) return BoxIcon::kNone;
  // Ask for a repaint, then give the window system a moment to show it.
  RedrawWindow(icon, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  try {
    return WaitFor(
               [&] {
                 const BoxIcon seen = MatchIcon(icon);
                 return seen == BoxIcon::kUnknown ? std::optional<BoxIcon>() : seen;
               },
               "the message box's icon to show", Duration{3000})
        .value();
  } catch (const DriverError&) {
    return BoxIcon::kUnknown;
  }
}

MessageBoxView ReadMessageBox(HWND box) {
  MessageBoxView view;
  view.window = box;
  view.caption = Text(box);
  view.text = Text(Child(box, kTextId));
  for (int id : kButtonIds) {
    if (HWND button = FindChild(box, id); button && IsShown(button)) view.buttons.push_back(id);
  }
  view.icon = ReadBoxIcon(box);
  return view;
}

void Answer(const MessageBoxView& box, int button) {
  Click(Child(box.window, button), Until::kPosted);
  WaitUntilGone(box.window);
}

bool IsFileDialog(HWND window) {
  return ClassOf(window) == L"#32770" && IsShown(window) &&
         (FindChild(window, cmb13) || FindChild(window, edt1));
}

FileDialogView ReadFileDialog(HWND dialog) {
  FileDialogView view;
  view.caption = Text(dialog);
  view.fileName = Text(FileNameField(dialog));
  view.fileTypes = ComboItems(Child(dialog, cmb1));
  HWND readOnly = FindChild(dialog, chx1);
  view.readOnlyBox = readOnly && IsShown(readOnly);
  return view;
}

void ChooseFile(HWND dialog, std::wstring_view path) {
  SetText(FileNameField(dialog), path);
  Click(Child(dialog, IDOK), Until::kPosted);
}

void CancelFileDialog(HWND dialog) {
  Click(Child(dialog, IDCANCEL), Until::kPosted);
  WaitUntilGone(dialog);
}

void WaitUntilGone(HWND window, Duration timeout) {
  WaitFor([&] { return !IsWindow(window) || !IsWindowVisible(window); },
          Describe(window) + " to close", timeout);
}

}  // namespace wine_driver

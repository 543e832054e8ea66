// Checks the driver's reading of message boxes on boxes whose content is
// known: if the driver misread icons or buttons, every end-to-end test that
// relies on it would pass or fail for the wrong reason.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "dialogs.h"
#include "window.h"

namespace wine_driver {
namespace {

// Shows a message box on a thread of its own, as the program would.
class BoxOnThread {
 public:
  BoxOnThread(const wchar_t* text, const wchar_t* caption, UINT flags)
      : thread_([=, this] { result_ = MessageBoxW(nullptr, text, caption, flags); }) {}
  ~BoxOnThread() {
    if (thread_.joinable()) thread_.join();
  }
  int Result() {
    thread_.join();
    return result_;
  }

 private:
  int result_ = 0;
  std::thread thread_;
};

HWND WaitForOwnMessageBox() {
  return WaitFor(
      []() -> HWND {
        for (HWND window : TopLevelWindows(GetCurrentProcessId())) {
          if (IsMessageBox(window)) return window;
        }
        return nullptr;
      },
      "the message box");
}

TEST(MessageBoxReading, TellsTheStandardIconsApartAndNoIcon) {
  const struct {
    UINT flag;
    BoxIcon expected;
  } cases[] = {{MB_ICONEXCLAMATION, BoxIcon::kExclamation},
               {MB_ICONHAND, BoxIcon::kError},
               {MB_ICONASTERISK, BoxIcon::kInformation},
               {MB_ICONQUESTION, BoxIcon::kQuestion},
               {0, BoxIcon::kNone}};
  for (const auto& c : cases) {
    SCOPED_TRACE(ToString(c.expected));
    BoxOnThread shown(L"Write OK", L"Status", MB_OK | c.flag);
    const MessageBoxView box = ReadMessageBox(WaitForOwnMessageBox());
    EXPECT_EQ(ToString(box.icon), ToString(c.expected));
    Answer(box, IDOK);
    EXPECT_EQ(shown.Result(), IDOK);
  }
}

TEST(MessageBoxReading, ReadsCaptionTextAndButtonsAndAnswers) {
  BoxOnThread shown(L"first line\r\n VK2/ VK4", L"SetupTool", MB_YESNO | MB_ICONEXCLAMATION);
  const MessageBoxView box = ReadMessageBox(WaitForOwnMessageBox());
  EXPECT_EQ(box.caption, L"SetupTool");
  EXPECT_EQ(box.text, L"first line\r\n VK2/ VK4");
  EXPECT_EQ(box.buttons, (std::vector<int>{IDYES, IDNO}));
  Answer(box, IDNO);
  EXPECT_EQ(shown.Result(), IDNO);
}

TEST(MessageBoxReading, OkCancelBoxOffersBothButtons) {
  BoxOnThread shown(L"Overwrite?", L"Status", MB_OKCANCEL);
  const MessageBoxView box = ReadMessageBox(WaitForOwnMessageBox());
  EXPECT_EQ(box.buttons, (std::vector<int>{IDOK, IDCANCEL}));
  Answer(box, IDCANCEL);
  EXPECT_EQ(shown.Result(), IDCANCEL);
}

}  // namespace
}  // namespace wine_driver

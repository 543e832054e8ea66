// The Win32 host against real dialog windows: the user's input reaches the
// model before a handler runs, the handler's changes reach the real controls
// (and before any message box) and are painted as it returns, the host's own
// writes never come back as the user's notifications, and the main window's
// loop routes keys as its dialog asks.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "desktop/control_mirror.h"
#include "desktop/file_dialogs.h"
#include "desktop/win32_host.h"
#include "host_test_resources.h"
#include "platform/win32/wide_text.h"
#include "support/user_script.h"
#include "ui/dialog.h"

namespace {

using ui::ControlKind;
using ui::Notification;
using wine_test::ClickButton;
using wine_test::TextOf;
using wine_test::UserScript;

// A dialog whose handlers each test attaches itself.
class TestDialog : public ui::Dialog {
 public:
  explicit TestDialog(ui::Host& host, int templateId = IDD_HOST_TEST)
      : ui::Dialog(templateId, host) {}
  using ui::Dialog::On;
  using ui::Dialog::ShowMessage;

  bool OnInitDialog() override {
    if (onInit) onInit();
    return true;
  }
  void OnOK() override {
    ++okCalls;
    ui::Dialog::OnOK();
  }
  void OnCancel() override {
    ++cancelCalls;
    ui::Dialog::OnCancel();
  }
  void OnVScroll(int request, int position, int bar) override {
    scrolls.push_back({request, position, bar});
  }
  std::optional<ui::ControlColors> OnCtlColor(int id) override {
    if (id != IDC_TEST_LABEL) return std::nullopt;
    return ui::ControlColors{ui::Rgb{200, 0, 0}, ui::Rgb{255, 255, 0}};
  }
  bool KeepsEnterAndEscFromNavigation() const override { return keepEnterAndEsc; }

  std::function<void()> onInit;
  bool keepEnterAndEsc = false;
  int okCalls = 0;
  int cancelCalls = 0;
  std::vector<std::vector<int>> scrolls;
};

class HostTest : public testing::Test {
 protected:
  HWND Control(const ui::Dialog& dialog, int id) { return ::GetDlgItem(host.WindowOf(dialog), id); }
  // Runs `dialog` as the main window while `script` acts as the user.
  int Run(TestDialog& dialog, UserScript& script) {
    auto previous = dialog.onInit;
    dialog.onInit = [&, previous] {
      if (previous) previous();
      script.Start();
    };
    const int result = host.RunModalDialog(dialog, nullptr);
    EXPECT_TRUE(script.Finished()) << "the dialog ended before the user was done";
    return result;
  }

  desktop::WaitCursor waitCursor;
  desktop::Win32Host host{::GetModuleHandleW(nullptr), waitCursor};
};

TEST_F(HostTest, TypedTextReachesTheModelBeforeAClickAndProgramWritesDoNotEcho) {
  TestDialog dialog(host);
  ui::ControlModel& model = dialog.Controls();
  model.Declare(IDC_TEST_EDIT, ControlKind::kEdit);
  model.Declare(IDC_TEST_LABEL, ControlKind::kStatic);  // declared without a text
  std::vector<std::string> editChanges;
  std::string seenByClick;
  dialog.On(IDC_TEST_EDIT, Notification::kEditChange,
            [&] { editChanges.push_back(model.Text(IDC_TEST_EDIT)); });
  dialog.On(IDC_TEST_APPLY, Notification::kClicked, [&] {
    seenByClick = model.Text(IDC_TEST_EDIT);
    model.SetText(IDC_TEST_EDIT, "set by the program");
    model.SetText(IDC_TEST_LABEL, "Grüße ラベル");
  });

  std::string labelAtStart, editAfter, labelAfter;
  bool labelLeftUnpainted = true, editLeftUnpainted = true;
  UserScript script({
      [&] {
        labelAtStart = TextOf(Control(dialog, IDC_TEST_LABEL));
        wine_test::TypeInto(Control(dialog, IDC_TEST_EDIT), L"aé");
      },
      [&] {
        ClickButton(Control(dialog, IDC_TEST_APPLY));
        // Before the message loop could take a single WM_PAINT.
        labelLeftUnpainted = ::GetUpdateRect(Control(dialog, IDC_TEST_LABEL), nullptr, FALSE);
        editLeftUnpainted = ::GetUpdateRect(Control(dialog, IDC_TEST_EDIT), nullptr, FALSE);
        editAfter = TextOf(Control(dialog, IDC_TEST_EDIT));
        labelAfter = TextOf(Control(dialog, IDC_TEST_LABEL));
        host.EndDialog(dialog, 7);
      },
  });
  EXPECT_EQ(Run(dialog, script), 7);

  EXPECT_EQ(labelAtStart, "template label") << "a label declared without text was blanked";
  EXPECT_EQ(editChanges, (std::vector<std::string>{"a", "aé"}))
      << "each keystroke must be read before its change notification, and the host's own "
         "write of the edit must not come back as one";
  EXPECT_EQ(seenByClick, "aé");
  EXPECT_EQ(editAfter, "set by the program");
  EXPECT_EQ(labelAfter, "Grüße ラベル");
  EXPECT_EQ(model.Text(IDC_TEST_EDIT), "set by the program");
  EXPECT_FALSE(labelLeftUnpainted || editLeftUnpainted)
      << "the controls a handler changed must be painted when the click returns";
}

TEST_F(HostTest, ControlKindsAreTakenFromTheWindowClassesAndADeclaredKindIsChecked) {
  TestDialog dialog(host);
  ui::ControlModel& model = dialog.Controls();
  model.Declare(IDC_TEST_EDIT, ControlKind::kEdit);
  model.Declare(IDC_TEST_COMBO, ControlKind::kComboBox);
  model.Declare(IDC_TEST_ADDRESS, ControlKind::kIpAddress);
  model.Declare(IDC_TEST_SCROLL, ControlKind::kScrollBar);
  model.Declare(IDC_TEST_TAB, ControlKind::kTab);
  model.Declare(IDC_TEST_APPLY, ControlKind::kButton);
  desktop::ControlWindows listed;
  std::string agreeing, disagreeing;
  UserScript script({
      [&] {
        listed = desktop::ListControls(host.WindowOf(dialog));
        agreeing = desktop::DeclaredKindMismatches(listed, model);
        model.Declare(IDC_TEST_LABEL, ControlKind::kEdit);  // a label, in the template
        disagreeing = desktop::DeclaredKindMismatches(listed, model);
        host.EndDialog(dialog, 0);
      },
  });
  Run(dialog, script);

  ASSERT_EQ(listed.count(IDC_TEST_LABEL), 1u);
  EXPECT_EQ(listed[IDC_TEST_LABEL].kind, ControlKind::kStatic);
  EXPECT_EQ(listed[IDC_TEST_COMBO].kind, ControlKind::kComboBox);
  EXPECT_EQ(listed[IDC_TEST_ADDRESS].kind, ControlKind::kIpAddress);
  EXPECT_EQ(listed[IDC_TEST_TAB].kind, ControlKind::kTab);
  EXPECT_EQ(agreeing, "");
  EXPECT_EQ(disagreeing, "control " + std::to_string(IDC_TEST_LABEL) + ": declared " +
                             std::to_string(static_cast<int>(ControlKind::kEdit)) + ", window " +
                             std::to_string(static_cast<int>(ControlKind::kStatic)) + "\n");
}

TEST_F(HostTest, ListsAddressesScrollBarsAndTabsFollowTheModel) {
  TestDialog dialog(host);
  ui::ControlModel& model = dialog.Controls();
  model.Declare(IDC_TEST_COMBO, ControlKind::kComboBox);
  model.Declare(IDC_TEST_ADDRESS, ControlKind::kIpAddress);
  model.Declare(IDC_TEST_SCROLL, ControlKind::kScrollBar);
  model.Declare(IDC_TEST_TAB, ControlKind::kTab);
  model.Declare(IDC_TEST_EDIT, ControlKind::kEdit);
  dialog.onInit = [&] {
    model.SetItems(IDC_TEST_COMBO, {"VK1(10.0.0.9)", "VK2(10.0.0.7)", "VK3(10.0.0.6)"});
    model.SetSelection(IDC_TEST_COMBO, 0);
    model.SetItems(IDC_TEST_TAB, {"Setting", "File Operate", "IP Address"});
    model.SetSelection(IDC_TEST_TAB, 0);
    model.SetScrollRange(IDC_TEST_SCROLL, 0, 17);
    model.SetTextLimit(IDC_TEST_EDIT, 4);
  };
  int pickedInHandler = -1;
  std::string pickedText;
  dialog.On(IDC_TEST_COMBO, Notification::kSelChange, [&] {
    pickedInHandler = model.Selection(IDC_TEST_COMBO);
    pickedText = model.Text(IDC_TEST_COMBO);
  });
  int clicks = 0;
  dialog.On(IDC_TEST_APPLY, Notification::kClicked, [&] {
    if (++clicks == 1) {  // touches the combo's selection, not its items
      model.SetSelection(IDC_TEST_COMBO, 1);
      model.SetAddress(IDC_TEST_ADDRESS, 0x0A010203);
      model.SetScrollPos(IDC_TEST_SCROLL, 5);
      model.SetSelection(IDC_TEST_TAB, 2);
      model.Enable(IDC_TEST_BUTTON_LABEL, false);
      model.Show(IDC_TEST_LABEL, false);
    } else {
      model.SetItems(IDC_TEST_COMBO, {"one", "two"});
      model.SetSelection(IDC_TEST_COMBO, 1);
    }
  });

  const auto combo = [&] { return Control(dialog, IDC_TEST_COMBO); };
  struct Seen {
    LRESULT count, selection, marker;
    std::string text;
  };
  std::vector<Seen> seen;
  auto look = [&] {
    seen.push_back({::SendMessageW(combo(), CB_GETCOUNT, 0, 0),
                    ::SendMessageW(combo(), CB_GETCURSEL, 0, 0),
                    ::SendMessageW(combo(), CB_GETITEMDATA, 0, 0), TextOf(combo())});
  };
  DWORD address = 0;
  int scrollMin = -1, scrollMax = -1, scrollPos = -1;
  LRESULT tabCount = -1, tabSelection = -1, limit = -1;
  bool buttonEnabled = true, labelVisible = true;
  UserScript script({
      [&] {
        look();
        // A mark on the first item survives unless the list is rebuilt.
        ::SendMessageW(combo(), CB_SETITEMDATA, 0, 4242);
        wine_test::PickComboItem(combo(), 2);
      },
      [&] {
        ClickButton(Control(dialog, IDC_TEST_APPLY));
        look();
        ::SendMessageW(Control(dialog, IDC_TEST_ADDRESS), IPM_GETADDRESS, 0,
                       reinterpret_cast<LPARAM>(&address));
        const HWND bar = Control(dialog, IDC_TEST_SCROLL);
        ::GetScrollRange(bar, SB_CTL, &scrollMin, &scrollMax);
        scrollPos = ::GetScrollPos(bar, SB_CTL);
        tabCount = ::SendMessageW(Control(dialog, IDC_TEST_TAB), TCM_GETITEMCOUNT, 0, 0);
        tabSelection = ::SendMessageW(Control(dialog, IDC_TEST_TAB), TCM_GETCURSEL, 0, 0);
        limit = ::SendMessageW(Control(dialog, IDC_TEST_EDIT), EM_GETLIMITTEXT, 0, 0);
        buttonEnabled = ::IsWindowEnabled(Control(dialog, IDC_TEST_BUTTON_LABEL));
        labelVisible = ::GetWindowLongW(Control(dialog, IDC_TEST_LABEL), GWL_STYLE) & WS_VISIBLE;
        ::SendMessageW(host.WindowOf(dialog), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 9),
                       reinterpret_cast<LPARAM>(bar));
      },
      [&] {
        ClickButton(Control(dialog, IDC_TEST_APPLY));
        look();
        host.EndDialog(dialog, 0);
      },
  });
  Run(dialog, script);

  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].count, 3);
  EXPECT_EQ(seen[0].selection, 0);
  EXPECT_EQ(seen[0].text, "VK1(10.0.0.9)");
  EXPECT_EQ(pickedInHandler, 2) << "the user's pick was not read before the notification";
  EXPECT_EQ(pickedText, "VK3(10.0.0.6)");
  EXPECT_EQ(seen[1].selection, 1);
  EXPECT_EQ(seen[1].text, "VK2(10.0.0.7)");
  EXPECT_EQ(seen[1].marker, 4242) << "the list was rebuilt though its items did not change";
  EXPECT_EQ(seen[2].count, 2);
  EXPECT_EQ(seen[2].text, "two");
  EXPECT_NE(seen[2].marker, 4242) << "changed items were not put in the list";

  EXPECT_EQ(address, 0x0A010203u);
  EXPECT_EQ(scrollMin, 0);
  EXPECT_EQ(scrollMax, 17);
  EXPECT_EQ(scrollPos, 5);
  EXPECT_EQ(tabCount, 3);
  EXPECT_EQ(tabSelection, 2);
  EXPECT_EQ(limit, 4);
  EXPECT_FALSE(buttonEnabled);
  EXPECT_FALSE(labelVisible);
  EXPECT_EQ(dialog.scrolls,
            (std::vector<std::vector<int>>{{SB_THUMBPOSITION, 9, IDC_TEST_SCROLL}}));
}

TEST_F(HostTest, AddressFieldsLeftBlankReadAsZero) {
  TestDialog dialog(host);
  ui::ControlModel& model = dialog.Controls();
  model.Declare(IDC_TEST_ADDRESS, ControlKind::kIpAddress);
  dialog.onInit = [&] { model.SetAddress(IDC_TEST_ADDRESS, 0x01020304); };
  std::vector<std::uint32_t> read;
  dialog.On(IDC_TEST_APPLY, Notification::kClicked,
            [&] { read.push_back(model.Address(IDC_TEST_ADDRESS)); });

  const auto control = [&] { return Control(dialog, IDC_TEST_ADDRESS); };
  UserScript script({
      [&] {
        // The user empties the control and types only the first field.
        ::SendMessageW(control(), IPM_CLEARADDRESS, 0, 0);
        HWND first = nullptr;
        RECT firstRect{};
        for (HWND field = ::GetWindow(control(), GW_CHILD); field != nullptr;
             field = ::GetWindow(field, GW_HWNDNEXT)) {
          RECT r{};
          ::GetWindowRect(field, &r);
          if (first == nullptr || r.left < firstRect.left) {
            first = field;
            firstRect = r;
          }
        }
        ASSERT_NE(first, nullptr);
        wine_test::TypeInto(first, L"10");
      },
      [&] {
        ClickButton(Control(dialog, IDC_TEST_APPLY));
        ::SendMessageW(control(), IPM_CLEARADDRESS, 0, 0);
        ClickButton(Control(dialog, IDC_TEST_APPLY));
        host.EndDialog(dialog, 0);
      },
  });
  Run(dialog, script);
  EXPECT_EQ(read, (std::vector<std::uint32_t>{0x0A000000, 0}));
}

// Addresses shown one after another, sharing some fields with the last or
// none, and one after the user blanked the control: every field, read left
// to right, shows its number, and the control reads back the address.
TEST_F(HostTest, EveryAddressShowsWholeWhateverFieldsItSharesWithTheLast) {
  TestDialog dialog(host);
  ui::ControlModel& model = dialog.Controls();
  model.Declare(IDC_TEST_ADDRESS, ControlKind::kIpAddress);
  const std::vector<std::uint32_t> addresses = {0xC0A80005, 0xC0A80006, 0x0AA80006, 0x0A000000,
                                                0xFFFFFFFF, 0xC0A80009, 0xC0A80009};
  std::size_t next = 0;
  dialog.onInit = [&] { model.SetAddress(IDC_TEST_ADDRESS, addresses[next++]); };
  dialog.On(IDC_TEST_APPLY, Notification::kClicked,
            [&] { model.SetAddress(IDC_TEST_ADDRESS, addresses[next++]); });

  const auto control = [&] { return Control(dialog, IDC_TEST_ADDRESS); };
  std::vector<std::string> fields;
  std::vector<std::uint32_t> read;
  const auto look = [&] {
    std::vector<std::pair<LONG, std::string>> texts;
    for (HWND field = ::GetWindow(control(), GW_CHILD); field != nullptr;
         field = ::GetWindow(field, GW_HWNDNEXT)) {
      RECT where{};
      ::GetWindowRect(field, &where);
      texts.emplace_back(where.left, TextOf(field));
    }
    std::sort(texts.begin(), texts.end());
    std::string joined;
    for (const auto& text : texts) joined += (joined.empty() ? "" : ".") + text.second;
    fields.push_back(joined);
    DWORD address = 0;
    ::SendMessageW(control(), IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
    read.push_back(address);
  };
  std::vector<UserScript::Step> steps = {look};
  for (std::size_t shown = 1; shown + 1 < addresses.size(); ++shown) {
    steps.push_back([&] {
      ClickButton(Control(dialog, IDC_TEST_APPLY));
      look();
    });
  }
  steps.push_back([&] {
    ::SendMessageW(control(), IPM_CLEARADDRESS, 0, 0);
    ClickButton(Control(dialog, IDC_TEST_APPLY));
    look();
    host.EndDialog(dialog, 0);
  });
  UserScript script(steps);
  Run(dialog, script);
  EXPECT_EQ(fields,
            (std::vector<std::string>{"192.168.0.5", "192.168.0.6", "10.168.0.6", "10.0.0.0",
                                      "255.255.255.255", "192.168.0.9", "192.168.0.9"}));
  EXPECT_EQ(read, addresses);
}

TEST_F(HostTest, MessageBoxesShowTheModelFirstAndTheProgramNameWithoutACaption) {
  TestDialog dialog(host);
  ui::ControlModel& model = dialog.Controls();
  model.Declare(IDC_TEST_LABEL, ControlKind::kStatic);
  std::vector<int> answers;
  dialog.On(IDC_TEST_APPLY, Notification::kClicked, [&] {
    model.SetText(IDC_TEST_LABEL, "shown before the box");
    answers.push_back(dialog.ShowMessage("Unavailable network setting!\r\n VK2", std::nullopt,
                                         ui::kMbOkCancel | ui::kMbIconExclamation));
    answers.push_back(dialog.ShowMessage("Write OK", "Status"));
  });
  struct Box {
    std::string caption;
    std::string labelMeanwhile;
    bool ownedByDialog;
  };
  std::vector<Box> boxes;
  HWND answered = nullptr;
  auto answer = [&](WPARAM button) {
    const HWND box = wine_test::FindOtherDialog(host.WindowOf(dialog));
    if (box == nullptr || box == answered) return UserScript::Again();
    answered = box;
    boxes.push_back({TextOf(box), TextOf(Control(dialog, IDC_TEST_LABEL)),
                     ::GetWindow(box, GW_OWNER) == host.WindowOf(dialog)});
    ::PostMessageW(box, WM_COMMAND, button, 0);
  };
  UserScript script({
      [&] { ClickButton(Control(dialog, IDC_TEST_APPLY)); },  // blocks in the boxes
      [&] { answer(IDCANCEL); },
      [&] { answer(IDOK); },
      [&] { host.EndDialog(dialog, 0); },
  });
  Run(dialog, script);

  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(host.ApplicationName(), "win32_host_tests");
  EXPECT_EQ(boxes[0].caption, "win32_host_tests");
  EXPECT_EQ(boxes[0].labelMeanwhile, "shown before the box");
  EXPECT_TRUE(boxes[0].ownedByDialog);
  EXPECT_EQ(boxes[1].caption, "Status");
  EXPECT_EQ(answers, (std::vector<int>{ui::kIdCancel, ui::kIdOk}));
}

TEST_F(HostTest, HandlersOfOneDialogSeeAndChangeAnotherDialogsControls) {
  TestDialog dialog(host);
  TestDialog page(host, IDD_HOST_TEST_PAGE);
  page.Controls().Declare(IDC_PAGE_EDIT, ControlKind::kEdit);
  bool created = false;
  dialog.onInit = [&] {
    created = host.CreateChildDialog(page, dialog);
    host.MoveDialog(page, ui::Rect{10, 200, 160, 240}, false);
    host.ShowDialog(page, true);
  };
  std::string typedOnPage;
  dialog.On(IDC_TEST_APPLY, Notification::kClicked, [&] {
    typedOnPage = page.Controls().Text(IDC_PAGE_EDIT);
    page.Controls().SetText(IDC_PAGE_EDIT, "from the main window");
  });
  std::string pageEditAfter;
  ui::Rect pageRect;
  UserScript script({
      [&] { wine_test::TypeInto(Control(page, IDC_PAGE_EDIT), L"typed"); },
      [&] {
        ClickButton(Control(dialog, IDC_TEST_APPLY));
        pageEditAfter = TextOf(Control(page, IDC_PAGE_EDIT));
        pageRect = host.ClientRect(page);
        host.EndDialog(dialog, 0);
      },
  });
  Run(dialog, script);

  EXPECT_TRUE(created);
  EXPECT_EQ(typedOnPage, "typed");
  EXPECT_EQ(pageEditAfter, "from the main window");
  EXPECT_EQ(pageRect, (ui::Rect{0, 0, 150, 40}));
  EXPECT_EQ(host.WindowOf(page), nullptr) << "the page outlived its main window";
}

TEST_F(HostTest, TheMainLoopRoutesEnterAndEscAsTheDialogAsks) {
  {
    // Kept from the dialog navigation: neither key ends the window, WM_CLOSE does.
    TestDialog dialog(host);
    dialog.keepEnterAndEsc = true;
    const auto press = [&](WPARAM key) {
      ::PostMessageW(Control(dialog, IDC_TEST_EDIT), WM_KEYDOWN, key, 1);
    };
    bool stillRunning = false;
    bool tabMovedFocus = false;
    UserScript script({
        [&] {
          ::SetFocus(Control(dialog, IDC_TEST_EDIT));
          press(VK_RETURN);
          press(VK_ESCAPE);
          // Tab keeps the navigation: it moves the focus on.
          press(VK_TAB);
        },
        [&] {
          stillRunning = ::IsWindowVisible(host.WindowOf(dialog));
          tabMovedFocus = ::GetFocus() != Control(dialog, IDC_TEST_EDIT);
          ::PostMessageW(host.WindowOf(dialog), WM_CLOSE, 0, 0);
        },
    });
    EXPECT_EQ(Run(dialog, script), IDCANCEL);
    EXPECT_TRUE(stillRunning);
    EXPECT_TRUE(tabMovedFocus);
    EXPECT_EQ(dialog.okCalls, 0);
    EXPECT_EQ(dialog.cancelCalls, 0);
  }
  for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
    // Through the dialog navigation, Enter is OK and Esc is Cancel.
    TestDialog dialog(host);
    UserScript script({
        [&] {
          ::SetFocus(Control(dialog, IDC_TEST_EDIT));
          ::PostMessageW(Control(dialog, IDC_TEST_EDIT), WM_KEYDOWN, key, 1);
        },
    });
    EXPECT_EQ(Run(dialog, script), key == VK_RETURN ? ui::kIdOk : ui::kIdCancel);
    EXPECT_EQ(dialog.okCalls + dialog.cancelCalls, 1);
  }
}

TEST_F(HostTest, StaticColoursComeFromTheDialogWithOneBrushPerColour) {
  TestDialog dialog(host);
  struct Painted {
    COLORREF text, background, brushColour;
    HBRUSH brush;
  };
  std::vector<Painted> painted;
  HBRUSH otherBrush = nullptr;
  UserScript script({
      [&] {
        const HWND label = Control(dialog, IDC_TEST_LABEL);
        for (int i = 0; i < 2; ++i) {
          const HDC dc = ::GetDC(label);
          const auto brush = reinterpret_cast<HBRUSH>(
              ::SendMessageW(host.WindowOf(dialog), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                             reinterpret_cast<LPARAM>(label)));
          LOGBRUSH colour{};
          ::GetObjectW(brush, sizeof colour, &colour);
          painted.push_back({::GetTextColor(dc), ::GetBkColor(dc), colour.lbColor, brush});
          ::ReleaseDC(label, dc);
        }
        const HWND button = Control(dialog, IDC_TEST_BUTTON_LABEL);
        const HDC dc = ::GetDC(button);
        otherBrush = reinterpret_cast<HBRUSH>(
            ::SendMessageW(host.WindowOf(dialog), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(button)));
        ::ReleaseDC(button, dc);
        host.EndDialog(dialog, 0);
      },
  });
  Run(dialog, script);

  ASSERT_EQ(painted.size(), 2u);
  EXPECT_EQ(painted[0].text, RGB(200, 0, 0));
  EXPECT_EQ(painted[0].background, RGB(255, 255, 0));
  EXPECT_EQ(painted[0].brushColour, RGB(255, 255, 0));
  EXPECT_EQ(painted[1].brush, painted[0].brush) << "a new brush for every paint leaks";
  EXPECT_NE(otherBrush, painted[0].brush);
}

TEST_F(HostTest, SystemMenuStringsAndFileFilters) {
  EXPECT_EQ(host.LoadResourceString(IDS_HOST_TEST_TEXT), "Grüße, テスト");
  EXPECT_EQ(host.LoadResourceString(9999), "");

  // The literals' own final NUL is not part of the expected text.
  const wchar_t setupFilter[] = L"Setup File(*.v38)\0*.v38\0\0";
  EXPECT_EQ(desktop::FileDialogFilter("Setup File(*.v38)|*.v38||"),
            std::wstring(setupFilter, std::size(setupFilter) - 1));
  const wchar_t logFilter[] = L"Log\0*.log\0\0";
  EXPECT_EQ(desktop::FileDialogFilter("Log|*.log"),
            std::wstring(logFilter, std::size(logFilter) - 1));

  TestDialog dialog(host);
  bool appended = false;
  std::string lastItem;
  UINT lastId = 0;
  UINT separatorType = 0;
  UserScript script({
      [&] {
        appended = host.AppendSystemMenuItem(dialog, 16, "Version (&A)...");
        const HMENU menu = ::GetSystemMenu(host.WindowOf(dialog), FALSE);
        const int count = ::GetMenuItemCount(menu);
        wchar_t text[64] = {};
        ::GetMenuStringW(menu, count - 1, text, 64, MF_BYPOSITION);
        lastItem = platform::win32::WideToUtf8(text);
        lastId = ::GetMenuItemID(menu, count - 1);
        separatorType = ::GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR;
        host.EndDialog(dialog, 0);
      },
  });
  Run(dialog, script);
  EXPECT_TRUE(appended);
  EXPECT_EQ(lastItem, "Version (&A)...");
  EXPECT_EQ(lastId, 16u);
  EXPECT_NE(separatorType, 0u);
}

}  // namespace

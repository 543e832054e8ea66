// The main window of the real program: caption, tabs and pages, keyboard
// rules, the version box, and the IP Address page's list of panels.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "program_test.h"
#include "resources/resource.h"

namespace wine_driver {
namespace {

using ShellTest = ProgramTest;

constexpr int kAddressIds[] = {IDC_VK1_ADDRESS, IDC_VK2_ADDRESS, IDC_VK3_ADDRESS, IDC_VK4_ADDRESS,
                               IDC_VK5_ADDRESS};

std::vector<std::wstring> SelectorWithBuiltInPanels() {
  std::vector<std::wstring> items;
  for (int i = 0; i < 5; ++i) {
    items.push_back(L"VK" + std::to_wstring(i + 1) + L"(" + Widen(kBuiltInPanels[i]) + L")");
  }
  return items;
}

// Where a page sits in the main window's client area, and its size.
RECT PlaceInMainWindow(HWND page, HWND main) {
  RECT rect = ScreenRect(page);
  MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

TEST_F(ShellTest, StartsWithFourTabsAndTheSettingPageOnVk1) {
  EXPECT_EQ(Text(MainWindow()), L"TL-VK38 Setup Software");
  EXPECT_EQ(TabTexts(TabControl()),
            (std::vector<std::wstring>{L"Setting", L"File Operate", L"IP Address", L"User Auth."}));
  EXPECT_EQ(SelectedTab(TabControl()), kSettingTab);
  EXPECT_EQ(VisiblePage(), SettingPage());

  HWND selector = Child(SettingPage(), IDC_PANEL_SELECTOR);
  EXPECT_EQ(ComboItems(selector), SelectorWithBuiltInPanels());
  EXPECT_EQ(ComboSelection(selector), 0);
}

TEST_F(ShellTest, EachTabShowsItsPageInOnePlaceAndTheUpgradePageStaysHidden) {
  const RECT setting = PlaceInMainWindow(SettingPage(), MainWindow());
  EXPECT_EQ(setting.left, 12);
  EXPECT_EQ(setting.top, 32);

  const struct {
    Tab tab;
    HWND page;
  } tabs[] = {{kFileOperateTab, FileOperatePage()},
              {kIpAddressTab, IpAddressPage()},
              {kUserAuthTab, UserAuthPage()},
              {kSettingTab, SettingPage()}};
  for (const auto& t : tabs) {
    SCOPED_TRACE("tab " + std::to_string(t.tab));
    EXPECT_EQ(ShowTab(t.tab), t.page);
    EXPECT_FALSE(IsShown(UpgradePage()));
  }

  for (HWND page : {FileOperatePage(), IpAddressPage(), UserAuthPage(), UpgradePage()}) {
    SCOPED_TRACE(Describe(page));
    const RECT place = PlaceInMainWindow(page, MainWindow());
    EXPECT_EQ(place.left, setting.left);
    EXPECT_EQ(place.top, setting.top);
    EXPECT_EQ(place.right - place.left, setting.right - setting.left);
    EXPECT_EQ(place.bottom - place.top, setting.bottom - setting.top);
  }
}

// The screen's DPI for programs started while it lives (the prefix's
// LogPixels), and the one from before afterwards.
class ScreenDpi {
 public:
  explicit ScreenDpi(DWORD dpi) {
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                    KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr);
    DWORD size = sizeof before_;
    had_ = RegQueryValueExW(key_, kValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&before_),
                            &size) == ERROR_SUCCESS;
    Set(dpi);
  }
  ~ScreenDpi() {
    if (had_) {
      Set(before_);
    } else {
      RegDeleteValueW(key_, kValue);
    }
    RegCloseKey(key_);
  }
  ScreenDpi(const ScreenDpi&) = delete;
  ScreenDpi& operator=(const ScreenDpi&) = delete;

 private:
  static constexpr const wchar_t* kValue = L"LogPixels";
  void Set(DWORD dpi) {
    RegSetValueExW(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
  }

  HKEY key_ = nullptr;
  DWORD before_ = 0;
  bool had_ = false;
};

// The program started on a screen of the given DPI.
class PagePlacementTest : public ProgramTest, public ::testing::WithParamInterface<DWORD> {
 protected:
  void SetUp() override {
    dpi_.emplace(GetParam());
    ProgramTest::SetUp();
  }
  void TearDown() override {
    ProgramTest::TearDown();
    dpi_.reset();
  }

 private:
  std::optional<ScreenDpi> dpi_;
};

// Templates scale with the DPI; the pages' place must scale with them, or
// at 150 % they cover part of the tab strip.
TEST_P(PagePlacementTest, EveryPageLiesBelowTheTabStripsItems) {
  const int dpi = GetParam();
  const RECT setting = PlaceInMainWindow(SettingPage(), MainWindow());
  EXPECT_EQ(setting.left, MulDiv(12, dpi, 96));
  EXPECT_EQ(setting.top, MulDiv(32, dpi, 96));

  const HWND tab = TabControl();
  LONG itemsBottom = 0;
  for (int item = 0; item < 4; ++item) {
    RECT rect = TabItemRect(tab, item);
    MapWindowPoints(tab, MainWindow(), reinterpret_cast<POINT*>(&rect), 2);
    itemsBottom = std::max(itemsBottom, rect.bottom);
  }
  ASSERT_GT(itemsBottom, 0);
  // The items grew with the screen's DPI: the setting took effect.
  EXPECT_GE(itemsBottom, MulDiv(18, dpi, 96));
  for (Tab t : {kSettingTab, kFileOperateTab, kIpAddressTab, kUserAuthTab}) {
    const HWND page = ShowTab(t);
    SCOPED_TRACE(Describe(page));
    EXPECT_GE(PlaceInMainWindow(page, MainWindow()).top, itemsBottom);
  }
}

INSTANTIATE_TEST_SUITE_P(At96And144Dpi, PagePlacementTest, ::testing::Values(96, 144));

TEST_F(ShellTest, EnterAndEscapeNeitherEndTheProgramNorChangeThePage) {
  HWND page = ShowTab(kIpAddressTab);
  HWND vk3 = Child(page, IDC_VK3_ADDRESS);
  TypeIpAddress(vk3, L"10.1.2.3");
  HWND vk3FirstField = GetWindow(vk3, GW_CHILD);

  for (HWND target : {MainWindow(), TabControl(), page, vk3FirstField}) {
    for (UINT key : {VK_RETURN, VK_ESCAPE}) {
      SCOPED_TRACE(Describe(target) + (key == VK_RETURN ? " Enter" : " Esc"));
      PressKey(target, key);
      Settle(MainWindow());
      ASSERT_TRUE(program().IsRunning());
      EXPECT_TRUE(IsShown(MainWindow()));
      EXPECT_EQ(SelectedTab(TabControl()), kIpAddressTab);
      EXPECT_EQ(VisiblePage(), page);
      EXPECT_EQ(IpAddressText(vk3), L"10.1.2.3");
    }
  }
  program().ExpectNoDialog();

  // Neither key applied the edit as Set would have: leaving the tab and
  // coming back shows the stored address again.
  ShowTab(kSettingTab);
  ShowTab(kIpAddressTab);
  EXPECT_EQ(IpAddressText(vk3), L"192.168.0.6");
}

TEST_F(ShellTest, VersionEntryOfTheSystemMenuOpensTheVersionBoxModally) {
  // Alt+Space opens the system menu; Up goes round to its last entry,
  // "Version TL-VK38 Setup Software(&A)...", and Enter chooses it. (Its
  // mnemonic is no way in under Wine, whose own "&About Wine" entry comes
  // first.)
  Post(MainWindow(), WM_SYSCOMMAND, SC_KEYMENU, L' ');
  program().WaitForMenu();
  PressKey(MainWindow(), VK_UP);
  PressKey(MainWindow(), VK_RETURN);
  HWND version = program().WaitForDialog(L"Version TL-VK38 Setup Software");
  EXPECT_EQ(GetWindow(version, GW_OWNER), MainWindow());
  EXPECT_FALSE(IsEnabled(MainWindow()));

  bool hasVersionText = false;
  for (HWND child : Children(version)) {
    hasVersionText = hasVersionText || Text(child) == L"TL-VK38 Setup Software Version 1.1.0.1";
  }
  EXPECT_TRUE(hasVersionText);

  Click(Child(version, IDOK), Until::kPosted);
  WaitUntilGone(version);
  EXPECT_TRUE(program().IsRunning());
  EXPECT_TRUE(IsEnabled(MainWindow()));
}

TEST_F(ShellTest, VersionCommandIsRecognisedWhateverItsLowFourBits) {
  for (WPARAM command : {WPARAM{16}, WPARAM{16 | 0xF}}) {
    SCOPED_TRACE("WM_SYSCOMMAND " + std::to_string(command));
    Post(MainWindow(), WM_SYSCOMMAND, command);
    HWND version = program().WaitForDialog(L"Version TL-VK38 Setup Software");
    Click(Child(version, IDOK), Until::kPosted);
    WaitUntilGone(version);
  }
  // The commands next to it are not the version box's.
  Post(MainWindow(), WM_SYSCOMMAND, 32);
  program().ExpectNoDialog();
  EXPECT_TRUE(program().IsRunning());
}

TEST_F(ShellTest, IpAddressPageShowsTheBuiltInPanelAddresses) {
  HWND page = ShowTab(kIpAddressTab);
  EXPECT_EQ(page, IpAddressPage());
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE("VK" + std::to_string(i + 1));
    HWND control = Child(page, kAddressIds[i]);
    EXPECT_EQ(IpAddressText(control), Widen(kBuiltInPanels[i]));
    EXPECT_EQ(ReadIpAddress(control).filledFields, 4);
  }
}

TEST_F(ShellTest, SetNamesEveryRefusedEntryAndStoresTheOthers) {
  HWND page = ShowTab(kIpAddressTab);
  HWND vk1 = Child(page, IDC_VK1_ADDRESS);
  HWND vk2 = Child(page, IDC_VK2_ADDRESS);
  HWND vk4 = Child(page, IDC_VK4_ADDRESS);
  HWND set = Child(page, IDC_IPSET_SET);

  TypeIpAddress(vk1, L"192.168.0.8");
  TypeIpAddress(vk2, L"");
  Click(set, Until::kPosted);
  MessageBoxView box = program().WaitForMessageBox();
  EXPECT_EQ(box.text, L"Unavailable network setting!\r\n VK2");
  EXPECT_EQ(box.caption, L"SetupTool");
  EXPECT_EQ(ToString(box.icon), ToString(BoxIcon::kExclamation));
  EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
  Answer(box, IDOK);

  TypeIpAddress(vk4, L"10.0.0.255");
  Click(set, Until::kPosted);
  box = program().WaitForMessageBox();
  EXPECT_EQ(box.text, L"Unavailable network setting!\r\n VK2/ VK4");
  Answer(box, IDOK);
  program().ExpectNoDialog();

  // Set leaves the controls as typed, refused entries too.
  EXPECT_EQ(IpAddressText(vk1), L"192.168.0.8");
  EXPECT_EQ(IpAddressText(vk2), L"");
  EXPECT_EQ(IpAddressText(vk4), L"10.0.0.255");

  // The list took VK1 and kept the refused entries; the selector shows it
  // when the Setting tab is selected, VK1 still selected.
  HWND selector = Child(ShowTab(kSettingTab), IDC_PANEL_SELECTOR);
  std::vector<std::wstring> expected = SelectorWithBuiltInPanels();
  expected[0] = L"VK1(192.168.0.8)";
  EXPECT_EQ(ComboItems(selector), expected);
  EXPECT_EQ(ComboSelection(selector), 0);

  // Coming back reloads the page from the list: the refused entries show
  // their stored addresses again.
  ShowTab(kIpAddressTab);
  EXPECT_EQ(IpAddressText(vk2), L"192.168.0.7");
  EXPECT_EQ(IpAddressText(vk4), L"192.168.0.5");
}

TEST_F(ShellTest, SetWithFiveValidEntriesShowsNothing) {
  HWND page = ShowTab(kIpAddressTab);
  TypeIpAddress(Child(page, IDC_VK5_ADDRESS), L"127.0.0.2");
  Click(Child(page, IDC_IPSET_SET));
  program().ExpectNoDialog();

  // Selecting "File Operate" refreshes the selector on the hidden Setting
  // page as well.
  ShowTab(kFileOperateTab);
  std::vector<std::wstring> expected = SelectorWithBuiltInPanels();
  expected[4] = L"VK5(127.0.0.2)";
  EXPECT_EQ(ComboItems(Child(SettingPage(), IDC_PANEL_SELECTOR)), expected);
}

TEST_F(ShellTest, AnEditNotAppliedWithSetIsDroppedWhenTheTabIsShownAgain) {
  HWND page = ShowTab(kIpAddressTab);
  HWND vk3 = Child(page, IDC_VK3_ADDRESS);
  TypeIpAddress(vk3, L"10.1.2.3");
  ASSERT_EQ(IpAddressText(vk3), L"10.1.2.3");

  for (Tab away : {kSettingTab, kUserAuthTab}) {
    SCOPED_TRACE("away to tab " + std::to_string(away));
    ShowTab(away);
    ShowTab(kIpAddressTab);
    EXPECT_EQ(IpAddressText(vk3), L"192.168.0.6");
    TypeIpAddress(vk3, L"10.1.2.3");
  }
  EXPECT_EQ(ComboItems(Child(ShowTab(kSettingTab), IDC_PANEL_SELECTOR)),
            SelectorWithBuiltInPanels());
}

}  // namespace
}  // namespace wine_driver

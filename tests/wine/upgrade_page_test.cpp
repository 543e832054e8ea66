// The upgrade page in the real program: created with the other pages and
// placed like them, but no tab names it and nothing shows it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cwctype>
#include <string>
#include <vector>

#include "program_test.h"
#include "resources/resource.h"

namespace wine_driver {
namespace {

using UpgradePageTest = ProgramTest;

// Where a page sits in the main window's client area, and its size.
RECT PlaceInMainWindow(HWND page, HWND main) {
  RECT rect = ScreenRect(page);
  MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// A window's class without the version prefix that manifests may add
// ("6.0.0.0!Button").
std::wstring BaseClass(HWND window) {
  const std::wstring name = ClassOf(window);
  const auto bang = name.rfind(L'!');
  return bang == std::wstring::npos ? name : name.substr(bang + 1);
}

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

TEST_F(UpgradePageTest, IsAHiddenChildDialogOfTheMainWindowWithBothImageSections) {
  HWND page = UpgradePage();
  EXPECT_EQ(GetParent(page), MainWindow());
  EXPECT_NE(GetWindowLongW(page, GWL_STYLE) & WS_CHILD, 0);
  EXPECT_EQ(GetWindowLongW(page, GWL_STYLE) & WS_VISIBLE, 0);
  EXPECT_FALSE(IsShown(page));

  const struct {
    int id;
    const wchar_t* kind;
    const wchar_t* text;
  } controls[] = {{IDC_PROGRAM_PATH, L"Edit", L""},       {IDC_PROGRAM_FILE, L"Button", L"File"},
                  {IDC_PROGRAM_LOAD, L"Button", L"Load"}, {IDC_FPGA_PATH, L"Edit", L""},
                  {IDC_FPGA_FILE, L"Button", L"File"},    {IDC_FPGA_LOAD, L"Button", L"Load"}};
  for (const auto& c : controls) {
    SCOPED_TRACE("control " + std::to_string(c.id));
    HWND control = Child(page, c.id);
    EXPECT_EQ(Lower(BaseClass(control)), Lower(c.kind));
    EXPECT_EQ(Text(control), c.text);
  }
  std::vector<std::wstring> labels;
  for (HWND child : Children(page)) {
    if (Lower(BaseClass(child)) == L"static") labels.push_back(Text(child));
  }
  EXPECT_EQ(labels, (std::vector<std::wstring>{L"<Program>", L"<FPGA>"}));

  // It is the only page that holds them all.
  int holders = 0;
  for (HWND child : Children(MainWindow())) {
    bool all = ClassOf(child) == L"#32770";
    for (const auto& c : controls) all = all && FindChild(child, c.id);
    holders += all ? 1 : 0;
  }
  EXPECT_EQ(holders, 1);
}

TEST_F(UpgradePageTest, HasThePlaceAndSizeOfTheOtherPages) {
  const RECT upgrade = PlaceInMainWindow(UpgradePage(), MainWindow());
  EXPECT_GT(upgrade.right - upgrade.left, 0);
  EXPECT_GT(upgrade.bottom - upgrade.top, 0);
  for (HWND page : {SettingPage(), FileOperatePage(), IpAddressPage(), UserAuthPage()}) {
    SCOPED_TRACE(Describe(page));
    const RECT place = PlaceInMainWindow(page, MainWindow());
    EXPECT_EQ(place.left, upgrade.left);
    EXPECT_EQ(place.top, upgrade.top);
    EXPECT_EQ(place.right, upgrade.right);
    EXPECT_EQ(place.bottom, upgrade.bottom);
  }
}

TEST_F(UpgradePageTest, NoTabNamesIt) {
  const std::vector<std::wstring> texts = TabTexts(TabControl());
  EXPECT_EQ(texts,
            (std::vector<std::wstring>{L"Setting", L"File Operate", L"IP Address", L"User Auth."}));
  for (const std::wstring& text : texts) {
    SCOPED_TRACE(Narrow(text));
    for (const wchar_t* word : {L"up", L"grade", L"program", L"fpga", L"ver"}) {
      EXPECT_EQ(Lower(text).find(word), std::wstring::npos);
    }
  }
}

TEST_F(UpgradePageTest, StaysHiddenWhicheverTabIsSelected) {
  HWND upgrade = UpgradePage();
  const HWND pages[] = {SettingPage(), FileOperatePage(), IpAddressPage(), UserAuthPage()};
  ASSERT_FALSE(IsShown(upgrade));
  // Every tab, each reached from a different one.
  for (Tab tab : {kFileOperateTab, kIpAddressTab, kUserAuthTab, kSettingTab, kUserAuthTab,
                  kFileOperateTab, kSettingTab, kIpAddressTab}) {
    SCOPED_TRACE("tab " + std::to_string(tab));
    EXPECT_EQ(ShowTab(tab), pages[tab]);
    EXPECT_FALSE(IsShown(upgrade));
  }

  // The keyboard moves along the tabs and finds none after the last one.
  HWND tabs = TabControl();
  ShowTab(kUserAuthTab);
  PressKey(tabs, VK_LEFT);
  Settle(MainWindow());
  ASSERT_EQ(SelectedTab(tabs), kIpAddressTab);
  for (UINT key : {VK_RIGHT, VK_RIGHT, VK_END}) {
    PressKey(tabs, key);
    Settle(MainWindow());
    EXPECT_EQ(SelectedTab(tabs), kUserAuthTab);
    EXPECT_EQ(VisiblePage(), pages[kUserAuthTab]);
    EXPECT_FALSE(IsShown(upgrade));
  }
  program().ExpectNoDialog();
}

}  // namespace
}  // namespace wine_driver

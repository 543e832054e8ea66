// The Setting page of the real program: reading a panel's camera table into
// the real controls, scrolling with the real scroll bar, the Type lists and
// the CAMERA Select lists, the header colours, and the window's manners
// while a panel keeps it waiting.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "program_test.h"
#include "resources/resource.h"
#include "setting_table.h"

namespace wine_driver {
namespace {

constexpr std::array<int, 15> kCameraNo = {
    IDC_CAMERA_NO_01, IDC_CAMERA_NO_02, IDC_CAMERA_NO_03, IDC_CAMERA_NO_04, IDC_CAMERA_NO_05,
    IDC_CAMERA_NO_06, IDC_CAMERA_NO_07, IDC_CAMERA_NO_08, IDC_CAMERA_NO_09, IDC_CAMERA_NO_10,
    IDC_CAMERA_NO_11, IDC_CAMERA_NO_12, IDC_CAMERA_NO_13, IDC_CAMERA_NO_14, IDC_CAMERA_NO_15};
constexpr int kTypeFirst = IDC_TYPE_01;                   // 1033 to 1047
constexpr int kNameFirst = IDC_CAMERA_NAME_01;            // 1118 to 1132
constexpr int kMacFirst = IDC_MAC_01;                     // 1098 to 1112
constexpr int kAlarmFirst = IDC_ALARM_01;                 // 1133 to 1147
constexpr int kCameraSelectFirst = IDC_CAMERA_SELECT_01;  // 1072 to 1086
constexpr std::array<int, 15> kIp = {IDC_IP_01, IDC_IP_02, IDC_IP_03, IDC_IP_04, IDC_IP_05,
                                     IDC_IP_06, IDC_IP_07, IDC_IP_08, IDC_IP_09, IDC_IP_10,
                                     IDC_IP_11, IDC_IP_12, IDC_IP_13, IDC_IP_14, IDC_IP_15};
constexpr std::array<int, 15> kPort = {
    IDC_HTTP_PORT_01, IDC_HTTP_PORT_02, IDC_HTTP_PORT_03, IDC_HTTP_PORT_04, IDC_HTTP_PORT_05,
    IDC_HTTP_PORT_06, IDC_HTTP_PORT_07, IDC_HTTP_PORT_08, IDC_HTTP_PORT_09, IDC_HTTP_PORT_10,
    IDC_HTTP_PORT_11, IDC_HTTP_PORT_12, IDC_HTTP_PORT_13, IDC_HTTP_PORT_14, IDC_HTTP_PORT_15};

class SettingPageTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    page_ = SettingPage();
  }

  HWND Control(int id) const { return Child(page_, id); }
  // The text a drop-down list shows: its selected item, or "" for none.
  std::wstring Shown(int id) const {
    const HWND combo = Control(id);
    const int selected = ComboSelection(combo);
    return selected < 0 ? L"" : ComboItems(combo).at(static_cast<std::size_t>(selected));
  }
  void Refresh() {
    Click(Control(IDC_SETTING_REFRESH));
    program().ExpectNoDialog();
  }
  // Clicks the scroll bar's lower arrow, as the mouse does.
  void ClickScrollDown() {
    const HWND bar = Control(IDC_SETTING_SCROLL);
    RECT client{};
    GetClientRect(bar, &client);
    const LPARAM at = MAKELPARAM(client.right / 2, client.bottom - 3);
    Post(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Post(bar, WM_LBUTTONUP, 0, at);
  }

  HWND page_ = nullptr;
};

TEST_F(SettingPageTest, RefreshShowsTheChosenPanelsCamerasInTheRealControls) {
  simulator().Put("192.168.0.7", "camera-record", setting_table::ExampleTable());
  PickComboItem(Control(IDC_PANEL_SELECTOR), 1);
  Refresh();
  ASSERT_EQ(simulator().Received("192.168.0.7").size(), 1u);
  EXPECT_TRUE(simulator().Received("192.168.0.9").empty());

  const wchar_t* types[15] = {L"Network", L"Serial",  L"CAM_Direct", L"IP_Direct", L"NoAsign",
                              L"Network", L"Network", L"Network",    L"Network",   L"Network",
                              L"Network", L"Network", L"Network",    L"Network",   L"Network"};
  for (int r = 0; r < 15; ++r) {
    SCOPED_TRACE(r);
    EXPECT_EQ(Text(Control(kCameraNo[r])),
              L"C0" + std::wstring(r < 9 ? L"0" : L"") + std::to_wstring(r + 1));
    EXPECT_EQ(Shown(kTypeFirst + r), types[r]);
    EXPECT_EQ(Text(Control(kNameFirst + r)), Widen(setting_table::NameOf(r)));
    EXPECT_EQ(Text(Control(kMacFirst + r)), Widen(setting_table::MacTextOf(r)));
    EXPECT_EQ(IpAddressText(Control(kIp[r])), L"192.168.0." + std::to_wstring(100 + r));
    EXPECT_EQ(Text(Control(kPort[r])), std::to_wstring(setting_table::PortOf(r)));
  }
  EXPECT_EQ(Text(Control(kAlarmFirst + 0)), L"Pan Sensor");
  EXPECT_EQ(Text(Control(kAlarmFirst + 6)), L"Motor Driver");
  EXPECT_EQ(Text(Control(kAlarmFirst + 7)), L"Pan Driver");
  EXPECT_EQ(Text(Control(kAlarmFirst + 8)), L"          ");
  EXPECT_EQ(Shown(IDC_SW_TYPE), L"Network");
  EXPECT_EQ(IpAddressText(Control(IDC_SW_IP)), L"192.168.0.3");
  EXPECT_EQ(Shown(IDC_SW_INPUT_02), L"INPUT1");
}

TEST_F(SettingPageTest, TheRealScrollBarMovesTheTableOneGroupAtATime) {
  simulator().Put("192.168.0.9", "camera-record", setting_table::ExampleTable());
  Refresh();
  ClickScrollDown();
  WaitFor([&] { return Text(Control(kCameraNo[0])) == L"C006"; }, "row 1 to show C006");
  Settle(MainWindow());
  EXPECT_EQ(Text(Control(kCameraNo[14])), L"C020");
  EXPECT_EQ(Text(Control(IDC_GROUP_1)), L"2");
  EXPECT_EQ(GetScrollPos(Control(IDC_SETTING_SCROLL), SB_CTL), 1);
  EXPECT_EQ(IpAddressText(Control(kIp[0])), L"192.168.0.105");
  EXPECT_EQ(ComboItems(Control(kTypeFirst)),
            (std::vector<std::wstring>{L"NoAsign", L"Network", L"IP_Direct"}));
}

TEST_F(SettingPageTest, MakingACameraSerialTakesItOutOfEveryCameraSelectList) {
  simulator().Put("192.168.0.9", "camera-record", setting_table::ExampleTable());
  Refresh();
  const auto offers = [&](int row, const std::wstring& label) {
    const auto items = ComboItems(Control(kCameraSelectFirst + row));
    return std::find(items.begin(), items.end(), label) != items.end();
  };
  ASSERT_TRUE(offers(0, L"C006"));
  ASSERT_TRUE(IsEnabled(Control(kCameraSelectFirst + 5)));

  PickComboItem(Control(kTypeFirst + 5), 0);  // C006 NoAsign: still offered
  EXPECT_TRUE(offers(0, L"C006"));
  PickComboItem(Control(kTypeFirst + 0), 3);  // C001 Serial
  EXPECT_EQ(Shown(kTypeFirst), L"Serial");
  for (int r = 1; r < 15; ++r) EXPECT_FALSE(offers(r, L"C001")) << r;
  EXPECT_FALSE(IsEnabled(Control(kCameraSelectFirst)));
  EXPECT_EQ(ComboItems(Control(kCameraSelectFirst)), std::vector<std::wstring>{L" "});
}

TEST_F(SettingPageTest, HeadersAreDrawnWhiteOnBlue) {
  Settle(MainWindow());
  const HDC screen = GetDC(nullptr);
  for (int id : {IDC_HEAD_CAMERA, IDC_HEAD_TYPE, IDC_HEAD_IP, IDC_HEAD_HTTP_PORT, IDC_HEAD_ALARM}) {
    const RECT rect = ScreenRect(Control(id));
    // A corner is background; the text is in the middle.
    EXPECT_EQ(GetPixel(screen, rect.left + 1, rect.top + 1), RGB(0, 0, 255)) << id;
  }
  // Some pixel of the "IP Address" header is white text.
  const RECT rect = ScreenRect(Control(IDC_HEAD_IP));
  bool white = false;
  for (int x = rect.left; x < rect.right && !white; ++x) {
    for (int y = rect.top; y < rect.bottom && !white; ++y) {
      white = GetPixel(screen, x, y) == RGB(255, 255, 255);
    }
  }
  ReleaseDC(nullptr, screen);
  EXPECT_TRUE(white);
}

TEST_F(SettingPageTest, WhileAPanelIsSlowThePageRepaintsAndAClickWaits) {
  simulator().Put("192.168.0.9", "camera-record", setting_table::ExampleTable());
  simulator().Fault("192.168.0.9", "delay 2500", "VK38 IP SETTING REQ");
  const HWND header = Control(IDC_HEAD_TYPE);
  const HWND tab = TabControl();
  const RECT item = TabItemRect(tab, kFileOperateTab);

  // While the program waits it answers no sent message: only what needs
  // no answer from it is looked at until the read has ended.
  Click(Control(IDC_SETTING_REFRESH), Until::kPosted);
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  // Something uncovers the page: it is painted again while REFRESH waits.
  InvalidateRect(header, nullptr, TRUE);
  WaitFor([&] { return !GetUpdateRect(header, nullptr, FALSE); }, "the header to be repainted",
          Duration{1000});
  // A click on "File Operate" stays queued until the read has ended.
  PostClickAt(tab, item);
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(800);
  while (std::chrono::steady_clock::now() < until) {
    ASSERT_TRUE(IsWindowVisible(page_)) << "the click was handled during the wait";
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }

  WaitFor([&] { return !IsWindowVisible(page_); }, "the queued click to show File Operate");
  EXPECT_EQ(SelectedTab(tab), kFileOperateTab);
  EXPECT_EQ(Text(Control(kNameFirst)), Widen(setting_table::NameOf(0)))
      << "the read ended before the click was handled";
  program().ExpectNoDialog();
}

// A panel that accepts and then never answers holds the program for its
// wait limit of 30 seconds, not for good: then the read ends like a failed
// one, silently, and the click queued meanwhile is handled.
TEST_F(SettingPageTest, ASilentPanelReleasesTheWindowAfterTheWaitLimit) {
  simulator().Fault("192.168.0.9", "silent", "VK38 IP SETTING REQ");
  const HWND tab = TabControl();
  const RECT item = TabItemRect(tab, kFileOperateTab);
  const auto clicked = std::chrono::steady_clock::now();
  Click(Control(IDC_SETTING_REFRESH), Until::kPosted);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  PostClickAt(tab, item);

  WaitFor([&] { return !IsWindowVisible(page_); }, "the window to take the tab click again",
          Duration{60000});
  const auto waited = std::chrono::steady_clock::now() - clicked;
  EXPECT_GE(waited, std::chrono::seconds(29));
  EXPECT_LT(waited, std::chrono::seconds(50));
  EXPECT_EQ(SelectedTab(tab), kFileOperateTab);
  program().ExpectNoDialog();
}

}  // namespace
}  // namespace wine_driver

// Writing the camera table from the real program: SET with its messages in
// order, RENEW and CANCEL with the controls they disable and restore, and
// ALL CLEAR's numbering as the panel then holds it.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "program_test.h"
#include "resources/resource.h"
#include "setting_table.h"

namespace wine_driver {
namespace {

const std::string kWriteCommand = "VK38 IP SETTING CHANGE\r\n";

std::wstring Prompt(const std::wstring& version) {
  return L"Please make sure that firmware version of TL-VK38\r\n(Remote Operation Panel) should "
         L"be later than " +
         version +
         L"\r\nDo you execute connection?\r\nIf you are not sure, please select "
         L"\"Cancel\".";
}

class SettingWriteTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    simulator().Put("192.168.0.9", "camera-record", setting_table::ExampleTable());
    page_ = SettingPage();
    Click(Control(IDC_SETTING_REFRESH));
    program().ExpectNoDialog();
  }

  HWND Control(int id) const { return Child(page_, id); }

  // Waits for the next box, checks it and presses `button`.
  void Expect(const std::wstring& text, BoxIcon icon, const std::wstring& caption = L"SetupTool",
              int button = IDOK) {
    const MessageBoxView box = program().WaitForMessageBox();
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.icon, icon) << Narrow(text);
    EXPECT_EQ(box.caption, caption) << Narrow(text);
    Answer(box, button);
  }

  // Every control of the page with its enabled state.
  std::map<int, bool> EnabledStates() const {
    std::map<int, bool> states;
    for (HWND child : Children(page_)) {
      const int id = IdOf(child);
      if (id > 0 && id != 0xFFFF) states[id] = IsEnabled(child);
    }
    return states;
  }

  HWND page_ = nullptr;
};

TEST_F(SettingWriteTest, SetReportsTheSharedAddressAndWritesTheRecord) {
  TypeIpAddress(Control(IDC_IP_03), L"192.168.0.103");  // C004's address for C003 too
  Click(Control(IDC_SETTING_SET), Until::kPosted);
  Expect(L"IP(192.168.0.103) Duplication", BoxIcon::kError);
  Expect(L"IP(192.168.0.103) Duplication", BoxIcon::kError);
  Expect(Prompt(L"Ver2.20.00"), BoxIcon::kExclamation);  // C003 is CAM_Direct
  Expect(Prompt(L"Ver3.30.00"), BoxIcon::kExclamation);  // C004 is IP_Direct
  Expect(L"Write OK", BoxIcon::kNone, L"Status");
  program().ExpectNoDialog();

  const std::vector<Bytes> received = simulator().Received("192.168.0.9");
  ASSERT_EQ(received.size(), 2u);
  const Bytes& write = received[1];
  ASSERT_EQ(write.size(), kWriteCommand.size() + setting_table::kRecordSize);
  EXPECT_EQ(std::string(write.begin(), write.begin() + kWriteCommand.size()), kWriteCommand);
  const Bytes record(write.begin() + kWriteCommand.size(), write.end());
  EXPECT_EQ(simulator().Get("192.168.0.9", "camera-record"), record);
  const std::size_t c003 = 612 + 6 * 2;
  EXPECT_EQ(Bytes(record.begin() + c003, record.begin() + c003 + 4), (Bytes{192, 168, 0, 103}));
  EXPECT_EQ(record[2032 + 2], 3) << "CAM_Direct in its wire code";
  unsigned sum = 0;
  for (std::uint8_t byte : record) sum += byte;
  EXPECT_EQ(sum % 256, 0u);
}

TEST_F(SettingWriteTest, RenewDisablesTheEditingControlsAndCancelRestoresThem) {
  const std::map<int, bool> idle = EnabledStates();
  ASSERT_FALSE(idle.at(IDC_SETTING_CANCEL));

  Click(Control(IDC_SETTING_RENEW));
  program().ExpectNoDialog();
  std::map<int, bool> expected = idle;
  for (int first : {IDC_TYPE_01, IDC_SW_INPUT_01, IDC_CAMERA_SELECT_01}) {
    for (int id = first; id < first + 15; ++id) expected[id] = false;
  }
  for (int id : {IDC_IP_01, IDC_IP_02, IDC_IP_03, IDC_IP_04, IDC_IP_05, IDC_IP_06, IDC_IP_07,
                 IDC_IP_08, IDC_IP_09, IDC_IP_10, IDC_IP_11, IDC_IP_12, IDC_IP_13, IDC_IP_14,
                 IDC_IP_15, IDC_SW_IP, IDC_SW_TYPE, IDC_SETTING_ALL_CLEAR, IDC_SETTING_REFRESH}) {
    expected[id] = false;
  }
  expected[IDC_SETTING_CANCEL] = true;
  EXPECT_EQ(EnabledStates(), expected);
  EXPECT_EQ(IpAddressText(Control(IDC_IP_01)), L"192.168.0.10");

  // The panel moved C001: its label is yellow now.
  Settle(MainWindow());
  const RECT label = ScreenRect(Control(IDC_CAMERA_NO_01));
  const HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetPixel(screen, label.left + 3, label.top + 3), RGB(255, 255, 0));
  ReleaseDC(nullptr, screen);

  Click(Control(IDC_SETTING_CANCEL));
  program().ExpectNoDialog();
  EXPECT_EQ(EnabledStates(), idle);
  EXPECT_EQ(IpAddressText(Control(IDC_IP_01)), L"192.168.0.100") << "the panel's own table";
}

TEST_F(SettingWriteTest, AllClearWritesTheNumberingPlanThatARefreshThenShows) {
  Click(Control(IDC_SETTING_ALL_CLEAR), Until::kPosted);
  Expect(Prompt(L"Ver2.20.00"), BoxIcon::kExclamation);  // C003 stays CAM_Direct
  Expect(L"Write OK", BoxIcon::kNone, L"Status");
  program().ExpectNoDialog();

  Click(Control(IDC_SETTING_REFRESH));
  program().ExpectNoDialog();
  const int ips[15] = {IDC_IP_01, IDC_IP_02, IDC_IP_03, IDC_IP_04, IDC_IP_05,
                       IDC_IP_06, IDC_IP_07, IDC_IP_08, IDC_IP_09, IDC_IP_10,
                       IDC_IP_11, IDC_IP_12, IDC_IP_13, IDC_IP_14, IDC_IP_15};
  for (int r = 0; r < 15; ++r) {
    EXPECT_EQ(IpAddressText(Control(ips[r])), L"192.168.0." + std::to_wstring(10 + r)) << r;
  }
  EXPECT_EQ(IpAddressText(Control(IDC_SW_IP)), L"192.168.0.8");
  const auto shown = [&](int id) {
    const int selected = ComboSelection(Control(id));
    return selected < 0 ? std::wstring() : ComboItems(Control(id)).at(selected);
  };
  EXPECT_EQ(shown(IDC_TYPE_01), L"NoAsign");
  EXPECT_EQ(shown(IDC_TYPE_02), L"Serial");
  EXPECT_EQ(shown(IDC_TYPE_03), L"CAM_Direct");
  EXPECT_EQ(shown(IDC_TYPE_04), L"NoAsign");
  EXPECT_EQ(shown(IDC_SW_TYPE), L"NoAsign");
  EXPECT_EQ(Text(Control(IDC_MAC_01)), L"00:00:00:00:00:00");
  EXPECT_EQ(shown(IDC_SW_INPUT_02), L"INPUT1") << "the switcher input survives";
}

}  // namespace
}  // namespace wine_driver

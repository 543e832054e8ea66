// The tour behind the pictures of docs/user-guide.md: the real SetupTool.exe
// beside the panel simulator (its panels in their first state), brought
// from state to state through its controls, found by control id, as a
// user's clicks would arrive; every state is saved as OUTPUT-DIR/NAME.bmp.
//   guide_tour.exe OUTPUT-DIR SetupTool.exe [NAME...]
// With names, the tour stops after the last of them and saves only those.
// scripts/screenshots and scripts/demo run it (through scripts/lib/tour).
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "controls.h"
#include "dialogs.h"
#include "program.h"
#include "resources/resource.h"
#include "screen.h"
#include "window.h"

namespace wine_driver {
namespace {

enum Tab { kSettingTab = 0, kFileOperateTab = 1, kIpAddressTab = 2, kUserAuthTab = 3 };

// A panel address with no panel behind it.
constexpr wchar_t kNoPanel[] = L"192.168.0.8";

class Tour {
 public:
  Tour(std::wstring output, const std::wstring& program, std::vector<std::wstring> wanted)
      : output_(std::move(output)), program_(program), wanted_(std::move(wanted)) {
    main_ = program_.WaitForMainWindow();
  }

  // Runs the steps in order until every wanted picture is saved.
  void Run() {
    const std::vector<std::pair<const wchar_t*, void (Tour::*)()>> steps = {
        {L"main-window", &Tour::MainWindow},
        {L"setting-table", &Tour::SettingTable},
        {L"setting-already-assigned", &Tour::AlreadyAssigned},
        {L"setting-firmware-question", &Tour::FirmwareQuestion},
        {L"setting-write-ok", &Tour::WriteOk},
        {L"setting-renew", &Tour::Renew},
        {L"setting-ip-setting-start", &Tour::IpSettingStart},
        {L"file-operate", &Tour::FileOperate},
        {L"file-operate-save-dialog", &Tour::SaveDialog},
        {L"file-operate-save-ok", &Tour::SaveOk},
        {L"file-operate-load", &Tour::Load},
        {L"ip-address", &Tour::IpAddress},
        {L"ip-address-unavailable", &Tour::UnavailableAddress},
        {L"setting-no-connect", &Tour::NoConnect},
        {L"user-auth", &Tour::UserAuth},
        {L"user-auth-write-ok", &Tour::UserAuthWriteOk},
        {L"version-box", &Tour::VersionBox},
    };
    std::size_t left = wanted_.empty() ? steps.size() : wanted_.size();
    for (const auto& [name, step] : steps) {
      if (left == 0) return;
      name_ = name;
      (this->*step)();
      if (!shot_) throw DriverError("the step " + Narrow(name_) + " saved no picture");
      shot_ = false;
      if (Wanted()) --left;
    }
    if (left != 0) throw DriverError("no step makes some of the pictures asked for");
  }

 private:
  bool Wanted() const {
    return wanted_.empty() || std::find(wanted_.begin(), wanted_.end(), name_) != wanted_.end();
  }

  // Saves the main window with whatever the program shows over it, once the
  // screen there has stopped changing (the program has painted it all).
  void Shoot(HWND over = nullptr) {
    shot_ = true;
    if (!Wanted()) return;
    Settle(main_);
    RECT area = ScreenRect(main_);
    if (over) {
      const RECT top = ScreenRect(over);
      UnionRect(&area, &area, &top);
    }
    auto shown = std::make_unique<Pixels>(area);
    WaitFor(
        [&] {
          Sleep(300);
          auto now = std::make_unique<Pixels>(area);
          const bool still = now->Difference(*shown) == 0;
          shown = std::move(now);
          return still;
        },
        "the screen to stop changing");
    shown->SaveBmp(output_ + L"\\" + name_ + L".bmp");
    std::printf("%s\n", Narrow(name_).c_str());
    std::fflush(stdout);
  }

  // The box that an action opened, which must say `text`.
  MessageBoxView Box(const std::wstring& text) const {
    const MessageBoxView box = program_.WaitForMessageBox();
    if (box.text != text) {
      throw DriverError("expected the box \"" + Narrow(text) + "\", got \"" + Narrow(box.text) +
                        "\"");
    }
    return box;
  }

  // Saves that box with the window under it and presses `button`.
  void ShootBox(const std::wstring& text, int button = IDOK) {
    const MessageBoxView box = Box(text);
    Shoot(box.window);
    Answer(box, button);
  }

  HWND Setting(int id) const { return Child(program_.SettingPage(), id); }
  HWND FileOperate(int id) const { return Child(program_.FileOperatePage(), id); }
  HWND IpAddressControl(int id) const { return Child(program_.IpAddressPage(), id); }
  HWND UserAuthControl(int id) const { return Child(program_.UserAuthPage(), id); }
  void ShowTab(Tab tab) { SelectTab(Child(main_, IDC_TAB), tab); }
  // In the folder that the program starts in, which its file dialogs show.
  std::wstring SetupFile() const {
    wchar_t folder[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, folder);
    return std::wstring(folder) + L"\\VK1.v38";
  }

  // --- Setting page -------------------------------------------------------
  void MainWindow() { Shoot(); }

  void SettingTable() {
    Click(Setting(IDC_SETTING_REFRESH));
    program_.ExpectNoDialog();
    Shoot();
  }

  // C001 holds INPUT1; INPUT2 belongs to C007.
  void AlreadyAssigned() {
    PickComboItem(Setting(IDC_SW_INPUT_01), 2, Until::kPosted);
    ShootBox(L"Already Assigned!!");
  }

  static std::wstring FirmwareQuestionText(const wchar_t* version) {
    return L"Please make sure that firmware version of TL-VK38\r\n(Remote Operation Panel) "
           L"should be later than " +
           std::wstring(version) +
           L"\r\nDo you execute connection?\r\nIf you are not sure, please select \"Cancel\".";
  }

  // The panel's table has CAM_Direct and IP_Direct cameras: SET asks twice.
  void FirmwareQuestion() {
    Click(Setting(IDC_SETTING_SET), Until::kPosted);
    ShootBox(FirmwareQuestionText(L"Ver2.20.00"));
  }

  void WriteOk() {
    Answer(Box(FirmwareQuestionText(L"Ver3.30.00")), IDOK);
    ShootBox(L"Write OK");
  }

  void Renew() {
    Click(Setting(IDC_SETTING_RENEW));
    program_.ExpectNoDialog();
    Shoot();
  }

  // SET asks before the proposal is applied; No keeps it, CANCEL drops it.
  void IpSettingStart() {
    Click(Setting(IDC_SETTING_SET), Until::kPosted);
    ShootBox(L"IP Setting Start", IDNO);
    Click(Setting(IDC_SETTING_CANCEL));
    program_.ExpectNoDialog();
  }

  // --- File Operate page ----------------------------------------------------
  void FileOperate() {
    ShowTab(kFileOperateTab);
    Shoot();
  }

  void SaveDialog() {
    DeleteFileW(SetupFile().c_str());  // else the dialog asks to replace it
    Click(FileOperate(IDC_SETUP_SAVE), Until::kPosted);
    const HWND dialog = program_.WaitForFileDialog();
    Shoot(dialog);
    ChooseFile(dialog, SetupFile());
  }

  void SaveOk() { ShootBox(L"Save OK"); }

  // File picks the saved file, Load sends it back.
  void Load() {
    Click(FileOperate(IDC_SETUP_FILE), Until::kPosted);
    ChooseFile(program_.WaitForFileDialog(), SetupFile());
    WaitFor([&] { return Text(FileOperate(IDC_SETUP_FILE_PATH)) == SetupFile(); },
            "the chosen file in the path field");
    Click(FileOperate(IDC_SETUP_LOAD), Until::kPosted);
    ShootBox(L"Write OK");
  }

  // --- IP Address page ------------------------------------------------------
  void IpAddress() {
    ShowTab(kIpAddressTab);
    Shoot();
  }

  // VK5 given an address that ends in .255, then one with no panel.
  void UnavailableAddress() {
    TypeIpAddress(IpAddressControl(IDC_VK5_ADDRESS), L"192.168.0.255");
    Click(IpAddressControl(IDC_IPSET_SET), Until::kPosted);
    ShootBox(L"Unavailable network setting!\r\n VK5");
    TypeIpAddress(IpAddressControl(IDC_VK5_ADDRESS), kNoPanel);
    Click(IpAddressControl(IDC_IPSET_SET));
    program_.ExpectNoDialog();
  }

  void NoConnect() {
    ShowTab(kSettingTab);
    PickComboItem(Setting(IDC_PANEL_SELECTOR), 4);
    Click(Setting(IDC_SETTING_REFRESH), Until::kPosted);
    ShootBox(L"No Connect!!");
    PickComboItem(Setting(IDC_PANEL_SELECTOR), 0);
  }

  // --- User Auth. page ------------------------------------------------------
  void UserAuth() {
    ShowTab(kUserAuthTab);
    Click(UserAuthControl(IDC_AUTH_REFRESH));
    program_.ExpectNoDialog();
    Shoot();
  }

  // The panel's own pair as the old one, a new pair twice.
  void UserAuthWriteOk() {
    TypeText(UserAuthControl(IDC_NEW_USER_NAME), L"keeper");
    TypeText(UserAuthControl(IDC_OLD_PASSWORD), L"48213");
    TypeText(UserAuthControl(IDC_NEW_PASSWORD), L"2468");
    TypeText(UserAuthControl(IDC_RETYPE_PASSWORD), L"2468");
    Click(UserAuthControl(IDC_AUTH_SET), Until::kPosted);
    ShootBox(L"Write OK.\nPlease reboot TL-VK38.");
  }

  // --- The version box --------------------------------------------------------
  // Its entry in the system menu sends command 16.
  void VersionBox() {
    Post(main_, WM_SYSCOMMAND, 16);
    const HWND box = program_.WaitForDialog(L"Version TL-VK38 Setup Software");
    Shoot(box);
    Click(Child(box, IDOK), Until::kPosted);
    WaitUntilGone(box);
  }

  std::wstring output_;
  ProgramUnderTest program_;
  std::vector<std::wstring> wanted_;
  HWND main_ = nullptr;
  std::wstring name_;
  bool shot_ = false;
};

}  // namespace
}  // namespace wine_driver

int main() {
  // Screen coordinates as they are, at any DPI.
  SetProcessDPIAware();
  int count = 0;
  LPWSTR* given = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!given || count < 3) {
    std::fprintf(stderr, "usage: guide_tour OUTPUT-DIR SetupTool.exe [NAME...]\n");
    return 2;
  }
  const std::vector<std::wstring> arguments(given, given + count);
  LocalFree(given);
  try {
    wine_driver::Tour tour(wine_driver::WindowsPath(arguments[1]),
                           wine_driver::WindowsPath(arguments[2]),
                           std::vector<std::wstring>(arguments.begin() + 3, arguments.end()));
    tour.Run();
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "guide_tour: %s\n", failure.what());
    return 1;
  }
  return 0;
}

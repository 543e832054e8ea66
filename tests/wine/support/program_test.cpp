#include "program_test.h"

#include "resources/resource.h"

namespace wine_driver {

void ProgramTest::SetUp() {
  // Every test meets panels in their first state, whatever the one before did.
  simulator_.Reset();
  program_.emplace(ProgramPath());
  program_->WaitForMainWindow();
}

void ProgramTest::TearDown() { program_.reset(); }

HWND ProgramTest::TabControl() const { return Child(MainWindow(), IDC_TAB); }

HWND ProgramTest::ShowTab(Tab tab) {
  SelectTab(TabControl(), tab);
  return VisiblePage();
}

HWND ProgramTest::VisiblePage() const {
  const auto pages = program_->VisiblePages();
  if (pages.size() != 1) {
    throw DriverError(std::to_string(pages.size()) + " pages are visible instead of one");
  }
  return pages[0];
}

// Control ids that tell the pages apart (several ids recur across pages).
HWND ProgramTest::SettingPage() const { return program_->Page({IDC_PANEL_SELECTOR}); }
HWND ProgramTest::FileOperatePage() const { return program_->Page({1001, 1003, 1006, 1009}); }
HWND ProgramTest::IpAddressPage() const {
  return program_->Page({IDC_VK1_ADDRESS, IDC_VK2_ADDRESS, IDC_VK3_ADDRESS, IDC_VK4_ADDRESS,
                         IDC_VK5_ADDRESS, IDC_IPSET_SET});
}
HWND ProgramTest::UserAuthPage() const { return program_->Page({1177, 1187, 1015}); }
HWND ProgramTest::UpgradePage() const { return program_->Page({1001, 1005, 1007, 1008}); }

}  // namespace wine_driver

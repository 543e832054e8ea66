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

HWND ProgramTest::SettingPage() const { return program_->SettingPage(); }
HWND ProgramTest::FileOperatePage() const { return program_->FileOperatePage(); }
HWND ProgramTest::IpAddressPage() const { return program_->IpAddressPage(); }
HWND ProgramTest::UserAuthPage() const { return program_->UserAuthPage(); }
HWND ProgramTest::UpgradePage() const { return program_->UpgradePage(); }

}  // namespace wine_driver

// Test fixture: a fresh SetupTool.exe for every test, its main window shown,
// and the simulated panels reset to their first state.
#pragma once

#include <gtest/gtest.h>

#include <optional>

#include "controls.h"
#include "dialogs.h"
#include "program.h"
#include "simulator_control.h"
#include "window.h"

namespace wine_driver {

// Panel addresses that the program knows from its start.
inline constexpr const char* kBuiltInPanels[] = {"192.168.0.9", "192.168.0.7", "192.168.0.6",
                                                 "192.168.0.5", "192.168.0.4"};

class ProgramTest : public ::testing::Test {
 protected:
  // Tab indices of the main window.
  enum Tab { kSettingTab = 0, kFileOperateTab = 1, kIpAddressTab = 2, kUserAuthTab = 3 };

  void SetUp() override;
  void TearDown() override;

  ProgramUnderTest& program() { return *program_; }
  HWND MainWindow() const { return program_->MainWindow(); }
  HWND TabControl() const;
  // Selects a tab as a user does and returns the page that it shows.
  HWND ShowTab(Tab tab);
  // The one visible page; fails when none or several are visible.
  HWND VisiblePage() const;

  // The pages, found by controls that only they hold.
  HWND SettingPage() const;
  HWND FileOperatePage() const;
  HWND IpAddressPage() const;
  HWND UserAuthPage() const;
  HWND UpgradePage() const;

  const SimulatorControl& simulator() const { return simulator_; }

 private:
  std::optional<ProgramUnderTest> program_;
  SimulatorControl simulator_;
};

}  // namespace wine_driver

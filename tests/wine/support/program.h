// The real SetupTool.exe, started for one test and ended after it.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs.h"
#include "wait.h"

namespace wine_driver {

inline constexpr std::wstring_view kMainCaption = L"TL-VK38 Setup Software";

// A path as Windows programs take it: a Unix path (as CTest passes it) is
// turned into the Wine drive path that names the same file.
std::wstring WindowsPath(const std::wstring& path);

// The path of SetupTool.exe given to the test program (its last argument).
const std::wstring& ProgramPath();
void SetProgramPath(std::wstring path);

class ProgramUnderTest {
 public:
  // Starts the program; it is ended (by its process handle) on destruction.
  explicit ProgramUnderTest(const std::wstring& path);
  ~ProgramUnderTest();
  ProgramUnderTest(const ProgramUnderTest&) = delete;
  ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

  DWORD ProcessId() const { return process_.dwProcessId; }
  bool IsRunning() const;

  // The main window: the visible top-level window with the main caption.
  HWND WaitForMainWindow(Duration timeout = kStartTimeout);
  HWND MainWindow() const { return mainWindow_; }

  // The page (a child dialog of the main window) that holds all these
  // control ids; throws when there is none.
  HWND Page(std::initializer_list<int> control_ids) const;
  // The pages that are visible now.
  std::vector<HWND> VisiblePages() const;
  // The pages, found by controls that only they hold.
  HWND SettingPage() const;
  HWND FileOperatePage() const;
  HWND IpAddressPage() const;
  HWND UserAuthPage() const;
  HWND UpgradePage() const;

  // Top-level dialogs of the program other than the main window, topmost
  // first.
  std::vector<HWND> Dialogs() const;
  std::optional<MessageBoxView> FindMessageBox() const;
  MessageBoxView WaitForMessageBox(Duration timeout = kTimeout) const;
  HWND WaitForDialog(std::wstring_view caption, Duration timeout = kTimeout) const;
  HWND WaitForFileDialog(Duration timeout = kTimeout) const;
  // A pop-up menu of the program (the system menu, say) once it is open.
  HWND WaitForMenu(Duration timeout = kTimeout) const;
  // Fails (throws) when any dialog is open after the program had `settle`
  // to open one.
  void ExpectNoDialog(Duration settle = kSettle) const;

 private:
  PROCESS_INFORMATION process_{};
  HWND mainWindow_ = nullptr;
};

}  // namespace wine_driver

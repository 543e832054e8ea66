#include "program.h"

#include "resources/resource.h"
#include "window.h"

namespace wine_driver {

namespace {

std::wstring& StoredProgramPath() {
  static std::wstring path;
  return path;
}

}  // namespace

std::wstring WindowsPath(const std::wstring& path) {
  if (path.empty() || path[0] != L'/') return path;
  using ToDos = LPWSTR(CDECL*)(LPCSTR);
  const auto toDos = reinterpret_cast<ToDos>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_dos_file_name")));
  if (toDos) {
    if (LPWSTR dos = toDos(Narrow(path).c_str())) {
      std::wstring result(dos);
      HeapFree(GetProcessHeap(), 0, dos);
      return result;
    }
  }
  std::wstring result = L"Z:" + path;
  for (wchar_t& c : result) c = c == L'/' ? L'\\' : c;
  return result;
}

const std::wstring& ProgramPath() {
  if (StoredProgramPath().empty()) throw DriverError("no path of SetupTool.exe was given");
  return StoredProgramPath();
}

void SetProgramPath(std::wstring path) { StoredProgramPath() = WindowsPath(path); }

ProgramUnderTest::ProgramUnderTest(const std::wstring& path) {
  std::wstring commandLine = L"\"" + path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process_)) {
    throw DriverError("cannot start " + Narrow(path) + " (error " + std::to_string(GetLastError()) +
                      ")");
  }
}

ProgramUnderTest::~ProgramUnderTest() {
  if (IsRunning()) {
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, static_cast<DWORD>(kTimeout.count()));
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

bool ProgramUnderTest::IsRunning() const {
  return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND ProgramUnderTest::WaitForMainWindow(Duration timeout) {
  mainWindow_ = WaitFor(
      [this]() -> HWND {
        if (!IsRunning()) throw DriverError("the program ended before showing its main window");
        for (HWND window : TopLevelWindows(ProcessId())) {
          if (IsShown(window) && !GetWindow(window, GW_OWNER) && Text(window) == kMainCaption) {
            return window;
          }
        }
        return nullptr;
      },
      "the main window \"" + Narrow(kMainCaption) + "\"", timeout);
  return mainWindow_;
}

HWND ProgramUnderTest::Page(std::initializer_list<int> control_ids) const {
  for (HWND child : Children(mainWindow_)) {
    if (ClassOf(child) != L"#32770") continue;
    bool all = true;
    for (int id : control_ids) all = all && FindChild(child, id);
    if (all) return child;
  }
  std::string ids;
  for (int id : control_ids) ids.append(" ").append(std::to_string(id));
  throw DriverError("no page of the main window holds the controls" + ids);
}

// Control ids that tell the pages apart (several ids recur across pages).
HWND ProgramUnderTest::SettingPage() const { return Page({IDC_PANEL_SELECTOR}); }
HWND ProgramUnderTest::FileOperatePage() const {
  return Page({IDC_SETUP_FILE_PATH, IDC_SETUP_FILE, IDC_SETUP_SAVE, IDC_LOG_SAVE});
}
HWND ProgramUnderTest::IpAddressPage() const {
  return Page({IDC_VK1_ADDRESS, IDC_VK2_ADDRESS, IDC_VK3_ADDRESS, IDC_VK4_ADDRESS, IDC_VK5_ADDRESS,
               IDC_IPSET_SET});
}
HWND ProgramUnderTest::UserAuthPage() const {
  return Page({IDC_OLD_USER_NAME, IDC_AUTH_REFRESH, IDC_AUTH_SET});
}
HWND ProgramUnderTest::UpgradePage() const {
  return Page({IDC_PROGRAM_PATH, IDC_FPGA_PATH, IDC_FPGA_LOAD, IDC_FPGA_FILE});
}

std::vector<HWND> ProgramUnderTest::VisiblePages() const {
  std::vector<HWND> pages;
  for (HWND child : Children(mainWindow_)) {
    if (ClassOf(child) == L"#32770" && IsShown(child)) pages.push_back(child);
  }
  return pages;
}

std::vector<HWND> ProgramUnderTest::Dialogs() const {
  std::vector<HWND> dialogs;
  for (HWND window : TopLevelWindows(ProcessId())) {
    if (window != mainWindow_ && IsShown(window) && ClassOf(window) == L"#32770") {
      dialogs.push_back(window);
    }
  }
  return dialogs;
}

std::optional<MessageBoxView> ProgramUnderTest::FindMessageBox() const {
  for (HWND window : Dialogs()) {
    if (IsMessageBox(window)) return ReadMessageBox(window);
  }
  return std::nullopt;
}

MessageBoxView ProgramUnderTest::WaitForMessageBox(Duration timeout) const {
  HWND box = WaitFor(
      [this]() -> HWND {
        for (HWND window : Dialogs()) {
          if (IsMessageBox(window)) return window;
        }
        return nullptr;
      },
      "a message box", timeout);
  return ReadMessageBox(box);
}

HWND ProgramUnderTest::WaitForDialog(std::wstring_view caption, Duration timeout) const {
  return WaitFor(
      [&]() -> HWND {
        for (HWND window : Dialogs()) {
          if (Text(window) == caption) return window;
        }
        return nullptr;
      },
      "the dialog \"" + Narrow(caption) + "\"", timeout);
}

HWND ProgramUnderTest::WaitForFileDialog(Duration timeout) const {
  return WaitFor(
      [this]() -> HWND {
        for (HWND window : Dialogs()) {
          if (IsFileDialog(window)) return window;
        }
        return nullptr;
      },
      "a file dialog", timeout);
}

HWND ProgramUnderTest::WaitForMenu(Duration timeout) const {
  return WaitFor(
      [this]() -> HWND {
        for (HWND window : TopLevelWindows(ProcessId())) {
          if (IsShown(window) && ClassOf(window) == L"#32768") return window;
        }
        return nullptr;
      },
      "a pop-up menu", timeout);
}

void ProgramUnderTest::ExpectNoDialog(Duration settle) const {
  Sleep(static_cast<DWORD>(settle.count()));
  for (HWND window : Dialogs()) {
    if (IsMessageBox(window)) {
      const MessageBoxView box = ReadMessageBox(window);
      throw DriverError("unexpected message box \"" + Narrow(box.caption) + "\": \"" +
                        Narrow(box.text) + "\"");
    }
    throw DriverError("unexpected dialog " + Describe(window));
  }
}

}  // namespace wine_driver

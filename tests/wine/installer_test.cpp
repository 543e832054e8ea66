// The installer under Wine: installed silently with vk38.exe, its PowerShell
// completer and the guide, the installed program starts with its main
// window and four tabs and its folder is on the system PATH, a newer
// package replaces the installed one and an older one is then refused, and
// uninstalling leaves neither the program, its shortcut nor its PATH entry
// behind.
//   installer_tests.exe [GoogleTest options] PACKAGE.msi NEXT-BUILD.msi NEXT-RELEASE.msi
// The next build differs from PACKAGE in the version's fourth field only,
// the next release in its third.
#include <windows.h>

#include <msi.h>
#include <msiquery.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <cwctype>
#include <optional>
#include <string>
#include <vector>

#include "controls.h"
#include "program.h"
#include "resources/resource.h"
#include "version_info.h"
#include "window.h"

namespace wine_driver {
namespace {

constexpr std::wstring_view kProductName = L"TL-VK38 Setup Software";

struct Packages {
  std::wstring current;
  std::wstring next_build;
  std::wstring next_release;
};
Packages& GivenPackages() {
  static Packages packages;
  return packages;
}

// --- msiexec and what Windows Installer knows ------------------------------

// Runs msiexec with these arguments and returns its exit code.
DWORD RunMsiexec(const std::wstring& arguments) {
  std::wstring command_line = L"msiexec.exe " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    throw DriverError("cannot start msiexec (error " + std::to_string(GetLastError()) + ")");
  }
  const DWORD waited = WaitForSingleObject(process.hProcess, 120000);
  DWORD exit_code = 0;
  GetExitCodeProcess(process.hProcess, &exit_code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (waited != WAIT_OBJECT_0) throw DriverError("msiexec " + Narrow(arguments) + " hung");
  return exit_code;
}

DWORD Install(const std::wstring& package) { return RunMsiexec(L"/i \"" + package + L"\" /qn"); }
DWORD Uninstall(const std::wstring& product_or_package) {
  return RunMsiexec(L"/x \"" + product_or_package + L"\" /qn");
}

// A property of a package file (ProductVersion, UpgradeCode, ...).
std::wstring PackageProperty(const std::wstring& package, const std::wstring& property) {
  MSIHANDLE database = 0;
  if (MsiOpenDatabaseW(package.c_str(), MSIDBOPEN_READONLY, &database) != ERROR_SUCCESS) {
    throw DriverError("cannot open " + Narrow(package));
  }
  const std::wstring query =
      L"SELECT `Value` FROM `Property` WHERE `Property` = '" + property + L"'";
  std::wstring value;
  MSIHANDLE view = 0;
  MSIHANDLE record = 0;
  if (MsiDatabaseOpenViewW(database, query.c_str(), &view) == ERROR_SUCCESS &&
      MsiViewExecute(view, 0) == ERROR_SUCCESS && MsiViewFetch(view, &record) == ERROR_SUCCESS) {
    wchar_t buffer[256] = L"";
    DWORD size = 256;
    if (MsiRecordGetStringW(record, 1, buffer, &size) == ERROR_SUCCESS) value = buffer;
    MsiCloseHandle(record);
  }
  if (view) MsiCloseHandle(view);
  MsiCloseHandle(database);
  return value;
}

// Product codes of the installed products with this upgrade code.
std::vector<std::wstring> InstalledProducts(const std::wstring& upgrade_code) {
  std::vector<std::wstring> products;
  wchar_t product[39];
  for (DWORD i = 0; MsiEnumRelatedProductsW(upgrade_code.c_str(), 0, i, product) == ERROR_SUCCESS;
       ++i) {
    products.emplace_back(product);
  }
  return products;
}

std::wstring ProductInfo(const std::wstring& product, const wchar_t* property) {
  wchar_t buffer[256] = L"";
  DWORD size = 256;
  if (MsiGetProductInfoW(product.c_str(), property, buffer, &size) != ERROR_SUCCESS) return {};
  return buffer;
}

// The entry in the list of installed programs (what Settings and the
// Control Panel show); empty when there is none.
std::wstring InstalledProgramsEntry(const std::wstring& product) {
  const std::wstring key = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + product;
  wchar_t name[256] = L"";
  DWORD size = sizeof name;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), L"DisplayName", RRF_RT_REG_SZ, nullptr, name,
                   &size) != ERROR_SUCCESS) {
    return {};
  }
  return name;
}

// --- Files and shortcuts ----------------------------------------------------

std::wstring KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  if (FAILED(SHGetKnownFolderPath(id, 0, nullptr, &path))) throw DriverError("no known folder");
  std::wstring result(path);
  CoTaskMemFree(path);
  return result;
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring InstallFolder() {
  return KnownFolder(FOLDERID_ProgramFiles) + L"\\" + std::wstring(kProductName);
}
std::wstring InstalledProgram() { return InstallFolder() + L"\\SetupTool.exe"; }
std::wstring InstalledCompanion() { return InstallFolder() + L"\\vk38.exe"; }

// The Start menu shortcut, for all users or for this one.
std::optional<std::wstring> FindShortcut() {
  for (REFKNOWNFOLDERID folder : {FOLDERID_CommonPrograms, FOLDERID_Programs}) {
    const std::wstring path = KnownFolder(folder) + L"\\" + std::wstring(kProductName) + L".lnk";
    if (Exists(path)) return path;
  }
  return std::nullopt;
}

// Where a shortcut leads.
std::wstring ShortcutTarget(const std::wstring& shortcut) {
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link)))) {
    throw DriverError("no shell link object");
  }
  std::wstring target;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    wchar_t path[MAX_PATH] = L"";
    if (SUCCEEDED(file->Load(shortcut.c_str(), STGM_READ)) &&
        SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0))) {
      target = path;
    }
    file->Release();
  }
  link->Release();
  return target;
}

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

// --- The system PATH --------------------------------------------------------

// The machine's PATH as new sessions get it, one folder an entry, in lower
// case and without a closing backslash, empty entries left out.
std::vector<std::wstring> SystemPath() {
  constexpr const wchar_t* kKey =
      L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
  constexpr DWORD kFlags = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
  DWORD size = 0;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, kKey, L"PATH", kFlags, nullptr, nullptr, &size) !=
      ERROR_SUCCESS) {
    return {};
  }
  std::wstring value(size / sizeof(wchar_t), L'\0');
  if (RegGetValueW(HKEY_LOCAL_MACHINE, kKey, L"PATH", kFlags, nullptr, value.data(), &size) !=
      ERROR_SUCCESS) {
    throw DriverError("cannot read the system PATH");
  }
  value.resize(wcsnlen(value.c_str(), value.size()));
  std::vector<std::wstring> folders;
  std::wstring::size_type start = 0;
  while (start <= value.size()) {
    std::wstring::size_type end = value.find(L';', start);
    if (end == std::wstring::npos) end = value.size();
    std::wstring folder = Lower(value.substr(start, end - start));
    while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    if (!folder.empty()) folders.push_back(folder);
    start = end + 1;
  }
  return folders;
}

// The system PATH with the program's folder added at its end.
std::vector<std::wstring> WithInstallFolder(std::vector<std::wstring> path) {
  path.push_back(Lower(InstallFolder()));
  return path;
}

// --- The tests --------------------------------------------------------------

class InstallerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ASSERT_FALSE(GivenPackages().next_release.empty())
        << "usage: installer_tests PACKAGE NEXT-BUILD NEXT-RELEASE";
    upgrade_code_ = PackageProperty(package(), L"UpgradeCode");
    ASSERT_FALSE(upgrade_code_.empty());
    RemoveEveryInstalledVersion();
  }
  void TearDown() override {
    RemoveEveryInstalledVersion();
    CoUninitialize();
  }

  const std::wstring& package() const { return GivenPackages().current; }
  const std::wstring& next_build() const { return GivenPackages().next_build; }
  const std::wstring& next_release() const { return GivenPackages().next_release; }

  // Installs `newer` over the package and expects it alone installed.
  void ExpectToReplaceThePackage(const std::wstring& newer) {
    ASSERT_EQ(PackageProperty(newer, L"UpgradeCode"), upgrade_code_);
    const std::vector<std::wstring> path_before = SystemPath();
    ASSERT_EQ(Install(package()), 0u);
    ASSERT_EQ(Install(newer), 0u);
    EXPECT_EQ(SystemPath(), WithInstallFolder(path_before))
        << "the program's folder is not on the PATH once after the replacement";
    const std::vector<std::wstring> products = installed();
    ASSERT_EQ(products.size(), 1u) << "the older version stayed installed beside the newer";
    EXPECT_EQ(ProductInfo(products[0], INSTALLPROPERTY_VERSIONSTRING),
              PackageProperty(newer, L"ProductVersion"));
    EXPECT_TRUE(Exists(InstalledProgram()));
  }
  std::vector<std::wstring> installed() const { return InstalledProducts(upgrade_code_); }

 private:
  // A run that stopped half-way may have left a version installed.
  void RemoveEveryInstalledVersion() {
    for (const std::wstring& product : installed()) Uninstall(product);
  }

  std::wstring upgrade_code_;
};

TEST_F(InstallerTest, InstallsSilentlyOnThePathStartsWithFourTabsAndUninstallsWithoutTrace) {
  // The installer's version folds the version's fourth field into the
  // third (1.1.0.1: 1.1.1); the programs carry all four.
  const std::wstring version = PackageProperty(package(), L"ProductVersion");
  EXPECT_EQ(version, L"1.1.1");
  const std::vector<std::wstring> path_before = SystemPath();
  ASSERT_FALSE(path_before.empty()) << "no system PATH to add to";
  ASSERT_EQ(Install(package()), 0u);

  // Program Files\TL-VK38 Setup Software\SetupTool.exe, of the package's
  // version.
  ASSERT_TRUE(Exists(InstalledProgram())) << Narrow(InstalledProgram());
  const std::optional<VersionInfo> info = ReadVersionInfo(InstalledProgram());
  ASSERT_TRUE(info);
  EXPECT_EQ(info->file_version_text, L"1.1.0.1");
  ASSERT_TRUE(Exists(InstalledCompanion())) << "vk38.exe is not beside the program";
  const std::optional<VersionInfo> companion = ReadVersionInfo(InstalledCompanion());
  ASSERT_TRUE(companion) << "vk38.exe has no version resource";
  EXPECT_EQ(companion->file_version_text, L"1.1.0.1");
  // vk38's PowerShell completer beside it, the guide with its pictures.
  for (const wchar_t* file : {L"\\vk38_completion.ps1", L"\\LICENSE.txt", L"\\doc\\user-guide.md",
                              L"\\doc\\images\\setting-table.png"}) {
    EXPECT_TRUE(Exists(InstallFolder() + file)) << Narrow(file);
  }
  // Its folder last on the system PATH, the folders before it kept.
  EXPECT_EQ(SystemPath(), WithInstallFolder(path_before));

  // One product, listed among the installed programs.
  const std::vector<std::wstring> products = installed();
  ASSERT_EQ(products.size(), 1u);
  EXPECT_EQ(ProductInfo(products[0], INSTALLPROPERTY_VERSIONSTRING), version);
  EXPECT_EQ(InstalledProgramsEntry(products[0]), kProductName);

  // The Start menu shortcut leads to the installed program.
  const std::optional<std::wstring> shortcut = FindShortcut();
  ASSERT_TRUE(shortcut) << "no Start menu shortcut";
  EXPECT_EQ(Lower(ShortcutTarget(*shortcut)), Lower(InstalledProgram()));

  {
    ProgramUnderTest program(InstalledProgram());
    const HWND main = program.WaitForMainWindow();
    EXPECT_EQ(
        TabTexts(Child(main, IDC_TAB)),
        (std::vector<std::wstring>{L"Setting", L"File Operate", L"IP Address", L"User Auth."}));
  }

  ASSERT_EQ(Uninstall(package()), 0u);
  EXPECT_FALSE(Exists(InstalledProgram()));
  EXPECT_FALSE(Exists(InstalledCompanion()));
  EXPECT_FALSE(Exists(InstallFolder()));
  EXPECT_FALSE(FindShortcut()) << "the shortcut stayed: " << Narrow(FindShortcut().value_or(L""));
  EXPECT_TRUE(installed().empty());
  EXPECT_TRUE(InstalledProgramsEntry(products[0]).empty());
  EXPECT_EQ(SystemPath(), path_before) << "the PATH is not as it was before the installation";
}

TEST_F(InstallerTest, NextBuildReplacesTheInstalledVersionAndTheOlderPackageIsRefused) {
  ASSERT_NO_FATAL_FAILURE(ExpectToReplaceThePackage(next_build()));
  EXPECT_NE(Install(package()), 0u) << "a build older in the fourth field replaced a newer one";
  ASSERT_EQ(installed().size(), 1u);
  EXPECT_EQ(ProductInfo(installed()[0], INSTALLPROPERTY_VERSIONSTRING),
            PackageProperty(next_build(), L"ProductVersion"));
  ASSERT_EQ(Uninstall(next_build()), 0u);
  EXPECT_TRUE(installed().empty());
  EXPECT_FALSE(Exists(InstalledProgram()));
}

TEST_F(InstallerTest, NextReleaseReplacesTheInstalledVersionAndTheOlderPackageIsRefused) {
  ASSERT_NO_FATAL_FAILURE(ExpectToReplaceThePackage(next_release()));
  const std::wstring newer_version = PackageProperty(next_release(), L"ProductVersion");

  EXPECT_NE(Install(package()), 0u);
  const std::vector<std::wstring> products = installed();
  ASSERT_EQ(products.size(), 1u);
  EXPECT_EQ(ProductInfo(products[0], INSTALLPROPERTY_VERSIONSTRING), newer_version);
  EXPECT_TRUE(Exists(InstalledProgram()));
}

}  // namespace
}  // namespace wine_driver

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  int count = 0;
  if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
    if (argc >= 4 && count >= 4) {
      wine_driver::GivenPackages() = {wine_driver::WindowsPath(wide[count - 3]),
                                      wine_driver::WindowsPath(wide[count - 2]),
                                      wine_driver::WindowsPath(wide[count - 1])};
    }
    LocalFree(wide);
  }
  return RUN_ALL_TESTS();
}

// Saves a log (256 MiB) from a simulated panel with the real SetupTool.exe
// under Wine, and the same log with a bare Winsock loop of receives and file
// writes in this process, also under Wine, and compares the two (best of
// five rounds each, taken in turn). The program is timed from the OK of its Save As
// dialog to its "Save OK!!" box; the loop from its connect to its file's
// close.
//   log_save_wine_bench.exe [MiB] PATH-OF-SetupTool.exe   (256 MiB by default)
// Runs beside the panel simulator, inside the private network:
// scripts/bench builds and runs it.
#include <windows.h>
#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "controls.h"
#include "dialogs.h"
#include "program.h"
#include "resources/resource.h"
#include "simulator_control.h"
#include "throughput.h"
#include "window.h"
#include "wine_bench_arguments.h"

namespace {

constexpr const char* kPanel = "192.168.0.9";  // VK1
constexpr std::uint16_t kPanelPort = 35600;
// What the program's panel session asks of each receive: one panel block.
constexpr int kReceiveSize = 4096;
constexpr int kFileOperateTab = 1;
// A 256 MiB save under Wine on a busy machine.
constexpr wine_driver::Duration kSaveTimeout{600000};
// Rounds of each kind, best taken: Wine's socket throughput on a shared
// machine varies by a factor of two from one run to the next.
constexpr int kRounds = 5;

using wine_driver::DriverError;

std::uint64_t FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

// The program's File Operate page, shown.
HWND ShowFileOperatePage(wine_driver::ProgramUnderTest& program) {
  const HWND main = program.WaitForMainWindow();
  wine_driver::SelectTab(wine_driver::Child(main, IDC_TAB), kFileOperateTab);
  const std::vector<HWND> pages = program.VisiblePages();
  if (pages.size() != 1) throw DriverError("the File Operate tab shows no single page");
  return pages.front();
}

// Waits until the file has its full size, without a message to the program
// (which would have to answer it in the middle of its transfer).
void WaitForFullFile(const std::wstring& path, std::uint64_t bytes) {
  wine_driver::WaitFor([&] { return FileSize(path) == bytes; }, "the full log file", kSaveTimeout);
}

// One save by the program: Save, the file name, OK, until "Save OK!!".
double ProgramSave(wine_driver::ProgramUnderTest& program, HWND page, const std::wstring& path,
                   std::uint64_t bytes) {
  wine_driver::Click(wine_driver::Child(page, IDC_LOG_SAVE), wine_driver::Until::kPosted);
  const HWND dialog = program.WaitForFileDialog();
  wine_driver::MessageBoxView box;
  const double seconds = bench::TimeSeconds([&] {
    wine_driver::ChooseFile(dialog, path);
    WaitForFullFile(path, bytes);
    box = program.WaitForMessageBox(kSaveTimeout);
  });
  wine_driver::Answer(box, IDOK);
  if (box.text != L"Save OK!!") {
    throw DriverError("the program reported \"" + wine_driver::Narrow(box.text) + "\"");
  }
  return seconds;
}

// The same request and bytes through nothing but Winsock and file calls.
std::uint64_t RawSave(const std::wstring& path) {
  const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(kPanelPort);
  inet_pton(AF_INET, kPanel, &address.sin_addr);
  std::uint64_t total = 0;
  bool ok = s != INVALID_SOCKET && file != INVALID_HANDLE_VALUE &&
            connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  const std::string command = "VK38 LOG REQ\r\n";
  ok = ok && send(s, command.data(), static_cast<int>(command.size()), 0) ==
                 static_cast<int>(command.size());
  std::vector<char> buffer(kReceiveSize);
  while (ok) {
    const int got = recv(s, buffer.data(), kReceiveSize, 0);
    if (got <= 0) break;
    DWORD written = 0;
    ok = WriteFile(file, buffer.data(), static_cast<DWORD>(got), &written, nullptr) &&
         written == static_cast<DWORD>(got);
    total += static_cast<std::uint64_t>(got);
  }
  if (s != INVALID_SOCKET) closesocket(s);
  if (file != INVALID_HANDLE_VALUE && !CloseHandle(file)) ok = false;
  return ok ? total : 0;
}

int Run(const std::wstring& program_path, std::uint64_t bytes) {
  const wine_driver::SimulatorControl simulator;
  simulator.Reset();
  simulator.Command(std::string("log ") + kPanel + " " + std::to_string(bytes) + " 65536");
  const std::wstring path = wine_driver::Widen(bench::ScratchPath("vk38-log-bench") + ".log");

  wine_driver::ProgramUnderTest program(program_path);
  const HWND page = ShowFileOperatePage(program);

  double program_seconds = 1e9;
  double raw_seconds = 1e9;
  for (int round = 0; round < kRounds; ++round) {
    program_seconds = std::min(program_seconds, ProgramSave(program, page, path, bytes));
    const std::uint64_t saved = FileSize(path);
    DeleteFileW(path.c_str());
    std::uint64_t raw = 0;
    raw_seconds = std::min(raw_seconds, bench::TimeSeconds([&] { raw = RawSave(path); }));
    DeleteFileW(path.c_str());
    if (saved != bytes || raw != bytes) {
      std::fprintf(stderr, "transfer incomplete: saved %llu, raw %llu bytes\n",
                   static_cast<unsigned long long>(saved), static_cast<unsigned long long>(raw));
      return 1;
    }
  }
  bench::Report("log save under Wine", bytes, program_seconds, raw_seconds, "SetupTool.exe",
                "raw Winsock");
  return 0;
}

}  // namespace

int main() {
  constexpr std::uint64_t kMiB = 1024 * 1024;
  const auto arguments = bench::ReadWineBenchArguments(bench::kBenchBytes / kMiB);
  if (!arguments) {
    std::fprintf(stderr, "usage: log_save_wine_bench [MiB] PATH-OF-SetupTool.exe\n");
    return 2;
  }

  WSADATA wsa;
  if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return 1;
  int status = 1;
  try {
    status = Run(arguments->program, arguments->number * kMiB);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "log_save_wine_bench: %s\n", error.what());
  }
  WSACleanup();
  return status;
}

// Sends a 64 MiB program image to a simulated panel with the real vk38.exe
// under Wine (`vk38 upgrade VK1 --program FILE`), and the same file with a
// bare Winsock loop of file reads and sends, also under Wine, and compares
// the two (five rounds of each, taken in turn; the medians). Each is a
// program of its own, timed from its start to its exit: the loop is
// raw_winsock_upload.exe beside this bench, so that both pay a process
// start under Wine (about 45 ms here), which is no part of sending an image.
//   image_wine_bench.exe [MiB] PATH-OF-vk38.exe   (64 MiB by default)
// Runs beside the panel simulator, inside the private network:
// scripts/bench builds and runs it.
#include <windows.h>
#include <winsock2.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "simulator_control.h"
#include "throughput.h"
#include "window.h"
#include "wine_bench_arguments.h"

namespace {

constexpr const char* kPanel = "192.168.0.9";  // VK1
constexpr std::uint64_t kDefaultMiB = 64;
constexpr int kRounds = 5;
// A 64 MiB upgrade under Wine on a busy machine.
constexpr DWORD kUpgradeTimeout = 600000;

using wine_driver::DriverError;

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }

 private:
  HANDLE handle_;
};

bool WriteImage(const std::wstring& path, std::uint64_t bytes) {
  const Handle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  std::vector<char> block(1 << 20);
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 131);
  for (std::uint64_t written = 0; file.valid() && written < bytes; written += block.size()) {
    const DWORD count = static_cast<DWORD>(std::min<std::uint64_t>(block.size(), bytes - written));
    DWORD done = 0;
    if (!WriteFile(file.get(), block.data(), count, &done, nullptr) || done != count) return false;
  }
  return file.valid();
}

// Runs a command line with its standard streams on NUL; its exit code.
DWORD RunQuietly(std::wstring command) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const Handle nul(
      CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, 0, &inherit, OPEN_EXISTING, 0, nullptr));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = startup.hStdOutput = startup.hStdError = nul.get();
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                      &startup, &process)) {
    throw DriverError("a program could not be started");
  }
  const Handle processHandle(process.hProcess);
  const Handle thread(process.hThread);
  if (WaitForSingleObject(process.hProcess, kUpgradeTimeout) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    throw DriverError("an upload did not end in time");
  }
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  return code;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// vk38.exe's upgrade of VK1 with the image; its exit code.
DWORD RunVk38(const std::wstring& vk38, const std::wstring& image) {
  return RunQuietly(L"\"" + vk38 + L"\" upgrade VK1 --program \"" + image + L"\"");
}

// The raw loop, a program of its own beside this one.
bool RunRawUpload(const std::wstring& image) {
  wchar_t self[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
  if (length == 0 || length == MAX_PATH) throw DriverError("no path of the bench");
  std::wstring raw(self, length);
  raw.replace(raw.find_last_of(L"\\/") + 1, std::wstring::npos, L"raw_winsock_upload.exe");
  return RunQuietly(L"\"" + raw + L"\" \"" + image + L"\"") == 0;
}

int Run(const std::wstring& vk38, std::uint64_t bytes) {
  const wine_driver::SimulatorControl simulator;
  simulator.Reset();
  simulator.Command(std::string("image-size ") + kPanel + " " + std::to_string(bytes));
  const std::wstring image = wine_driver::Widen(bench::ScratchPath("vk38-image-bench") + ".bin");
  if (!WriteImage(image, bytes)) throw DriverError("the image could not be written");

  std::vector<double> vk38Seconds;
  std::vector<double> rawSeconds;
  for (int round = 0; round < kRounds; ++round) {
    DWORD code = 1;
    vk38Seconds.push_back(bench::TimeSeconds([&] { code = RunVk38(vk38, image); }));
    bool raw = false;
    rawSeconds.push_back(bench::TimeSeconds([&] { raw = RunRawUpload(image); }));
    // vk38 succeeds only on the panel's "WRITE OK", which the simulator
    // sends once the image it expects arrived whole.
    if (code != 0 || !raw) {
      DeleteFileW(image.c_str());
      std::fprintf(stderr, "upload incomplete: vk38 exit code %lu%s\n",
                   static_cast<unsigned long>(code), raw ? "" : ", raw loop failed");
      return 1;
    }
  }
  DeleteFileW(image.c_str());
  bench::Report("image under Wine", bytes, Median(vk38Seconds), Median(rawSeconds), "vk38.exe",
                "raw Winsock");
  return 0;
}

}  // namespace

int main() {
  const auto arguments = bench::ReadWineBenchArguments(kDefaultMiB);
  if (!arguments) {
    std::fprintf(stderr, "usage: image_wine_bench [MiB] PATH-OF-vk38.exe\n");
    return 2;
  }

  WSADATA wsa;
  if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return 1;
  int status = 1;
  try {
    status = Run(arguments->program, arguments->number * 1024 * 1024);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "image_wine_bench: %s\n", error.what());
  }
  WSACleanup();
  return status;
}

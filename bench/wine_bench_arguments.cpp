#include "wine_bench_arguments.h"

#include <windows.h>

#include <shellapi.h>

#include <cwchar>
#include <memory>

#include "program.h"

namespace bench {

std::optional<WineBenchArguments> ReadWineBenchArguments(std::uint64_t fallback) {
  int count = 0;
  const std::unique_ptr<LPWSTR, decltype(&LocalFree)> arguments(
      CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
  if (!arguments || count < 2 || count > 3) return std::nullopt;
  WineBenchArguments read{.number = fallback, .program = {}};
  if (count == 3) {
    wchar_t* end = nullptr;
    read.number = std::wcstoull(arguments.get()[1], &end, 10);
    if (end == arguments.get()[1] || *end != L'\0') return std::nullopt;
  }
  if (read.number == 0) return std::nullopt;
  read.program = wine_driver::WindowsPath(arguments.get()[count - 1]);
  return read;
}

}  // namespace bench

// The command line of the benchmarks under Wine: "[NUMBER] PROGRAM", a size
// or a count (the tests give a tiny one) and the program to drive.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace bench {

struct WineBenchArguments {
  std::uint64_t number = 0;
  std::wstring program;  // as a Windows path
};

// This process's arguments, the number `fallback` when only the program is
// given; nothing when they are not that or the number is not positive.
std::optional<WineBenchArguments> ReadWineBenchArguments(std::uint64_t fallback);

}  // namespace bench

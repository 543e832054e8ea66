// Timing and reporting shared by the throughput benchmarks.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace bench {

inline constexpr std::uint64_t kBenchBytes = 256ull * 1024 * 1024;
inline constexpr int kRounds = 3;

// The bytes to move: kBenchBytes, or the MiB given as the argument `index`
// (the tests run each benchmark once with a tiny size); nothing when that
// argument is not a positive number.
std::optional<std::uint64_t> BenchBytes(int argc, char** argv, int index = 1);

// Seconds taken by `run`.
double TimeSeconds(const std::function<void()>& run);

// Prints both figures in MiB/s and their ratio; returns the ratio.
double Report(const std::string& what, std::uint64_t bytes, double sessionSeconds,
              double rawSeconds, const std::string& sessionLabel = "session code",
              const std::string& rawLabel = "raw socket");

// A scratch file path for the benchmark's data, removed by the caller.
std::string ScratchPath(const std::string& name);

}  // namespace bench
